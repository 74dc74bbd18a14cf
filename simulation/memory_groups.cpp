#include "simulation/memory_groups.h"

#include <QApplication>
#include <QDrag>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "simulation/chart_painter.h"
#include "ui/ansi_text.h"

namespace torvex {

namespace {

constexpr int kPointsPerRow = 4;

QString Bit(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QPixmap Lamp(const QColor& colour, qreal dpr) {
    QPixmap pm(QSize(14, 14) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(5, 5), 8);
    glow.setColorAt(0, colour.lighter(170));
    glow.setColorAt(1, colour);
    p.setBrush(glow);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.drawEllipse(QRectF(1, 1, 12, 12));
    return pm;
}

QLabel* Text(QGroupBox* group, const QString& name, const QString& text,
             Qt::Alignment align = Qt::AlignCenter) {
    auto* label = new QLabel(text, group);
    label->setObjectName(name);
    label->setAlignment(align);
    return label;
}

QGridLayout* Grid(QGroupBox* group) {
    return static_cast<QGridLayout*>(group->layout());
}

// A value column wide enough for `widest`, so that a run does not reflow the window.
void ValueColumn(QGroupBox* group, int column, const QString& widest) {
    Grid(group)->setColumnMinimumWidth(column, group->fontMetrics().horizontalAdvance(widest) + 8);
}

QString Heading(QGroupBox* group, int column) {
    QLayoutItem* item = Grid(group)->itemAtPosition(0, column);
    auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
    return label ? label->text() : QString();
}

constexpr Qt::Alignment kName = Qt::AlignVCenter | Qt::AlignLeft;

// Lets the points' labels be dragged onto the timing chart.
class PointDrags final : public QObject {
public:
    using QObject::QObject;
    void add(QWidget* label, const QString& name) {
        if (!label) return;
        label->installEventFilter(this);
        label->setProperty("chartPoint", name);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* label = qobject_cast<QWidget*>(watched);
        if (!label) return false;
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) pressed_ = mouse->position().toPoint();
        } else if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!(mouse->buttons() & Qt::LeftButton) ||
                (mouse->position().toPoint() - pressed_).manhattanLength() <
                    QApplication::startDragDistance())
                return false;
            auto* data = new QMimeData;
            data->setData(QString::fromLatin1(kChartPointMime),
                          label->property("chartPoint").toString().toLatin1());
            auto* drag = new QDrag(label);
            drag->setMimeData(data);
            drag->exec(Qt::CopyAction);
            return true;
        }
        return false;
    }

private:
    QPoint pressed_;
};

}  // namespace

QString MemoryGroups::Seconds(int32_t milliseconds) {
    return QString::number(milliseconds / 1000.0, 'f', 1);
}

MemoryGroups::MemoryGroups(const Boxes& boxes, const std::function<QString(int)>& registerRow,
                           Arrangement arrangement) {
    const bool compact = arrangement == Arrangement::Compact;
    // Where point i's name and its button or lamp stand in a grid of four points a row.
    auto nameCell = [&](int i) {
        const int row = i / kPointsPerRow, column = i % kPointsPerRow;
        return compact ? QPoint(column, 2 * row) : QPoint(2 * column, row);
    };
    auto valueCell = [&](int i) {
        const QPoint name = nameCell(i);
        return compact ? name + QPoint(0, 1) : name + QPoint(1, 0);
    };
    auto place = [&](QGroupBox* group, QWidget* w, QPoint cell, Qt::Alignment align = {}) {
        Grid(group)->addWidget(w, cell.y(), cell.x(), align);
    };
    for (QGroupBox* group : {boxes.inputs, boxes.outputs, boxes.flags, boxes.timers, boxes.counters,
                             boxes.registers}) {
        Grid(group)->setContentsMargins(6, 2, 6, 4);
        Grid(group)->setHorizontalSpacing(4);
        Grid(group)->setVerticalSpacing(2);
    }
    for (QGroupBox* group : {boxes.timers, boxes.counters}) Grid(group)->setHorizontalSpacing(8);

    // Inputs: an ON and an OFF button on one another; which one shows is the input's state.
    QGroupBox* group = boxes.inputs;
    QFont face = group->font();
    face.setPixelSize(9);
    face.setBold(true);
    const int margin = group->style()->pixelMetric(QStyle::PM_ButtonMargin);
    const QSize size(QFontMetrics(face).horizontalAdvance(QStringLiteral("OFF")) + 2 * margin, 18);
    for (int i = 0; i < kPoints; ++i) {
        QLabel* name = Text(group, QStringLiteral("lblIP%1").arg(i), QStringLiteral("IP%1").arg(i),
                            compact ? Qt::AlignCenter : kName);
        names_[0].push_back(name);
        place(group, name, nameCell(i));
        auto* on = new QPushButton(QStringLiteral("ON"), group);
        on->setObjectName(QStringLiteral("btnIP%1ON").arg(i));
        auto* off = new QPushButton(QStringLiteral("OFF"), group);
        off->setObjectName(QStringLiteral("btnIP%1OFF").arg(i));
        for (QPushButton* b : {on, off}) {
            b->setFixedSize(size);
            b->setFocusPolicy(Qt::NoFocus);
            b->setFont(face);
            place(group, b, valueCell(i), compact ? Qt::AlignHCenter : Qt::Alignment());
        }
        on->setStyleSheet(
            QStringLiteral("QPushButton { background: rgb(40,190,40); color: white; border: 1px "
                           "solid rgb(20,90,20); }"));
        off->setStyleSheet(
            QStringLiteral("QPushButton { background: rgb(200,200,200); color: black; border: 1px "
                           "solid rgb(110,110,110); }"));
        btnON_[i] = on;
        btnOFF_[i] = off;
        showOff(i, true);
    }

    // Outputs: an "off" lamp with the "on" lamp over it.
    group = boxes.outputs;
    const qreal dpr = group->devicePixelRatioF();
    const QPixmap lampOn = Lamp(QColor(230, 30, 30), dpr), lampOff = Lamp(QColor(70, 20, 20), dpr);
    for (int i = 0; i < kPoints; ++i) {
        QLabel* name = Text(group, QStringLiteral("lblOP%1").arg(i), QStringLiteral("OP%1").arg(i),
                            compact ? Qt::AlignCenter : kName);
        names_[1].push_back(name);
        place(group, name, nameCell(i));
        auto* off = new QLabel(group);
        off->setObjectName(QStringLiteral("imgOP%1Off").arg(i));
        off->setPixmap(lampOff);
        auto* on = new QLabel(group);
        on->setObjectName(QStringLiteral("imgOP%1On").arg(i));
        on->setPixmap(lampOn);
        on->hide();
        for (QLabel* lamp : {off, on}) {
            lamp->setFixedSize(18, 18);
            lamp->setAlignment(Qt::AlignCenter);
            place(group, lamp, valueCell(i), compact ? Qt::AlignHCenter : Qt::Alignment());
        }
        imgOPOff_[i] = off;
        imgOPOn_[i] = on;
    }

    group = boxes.flags;
    for (int i = 0; i < kPoints; ++i) {
        const int row = i / kPointsPerRow, column = 2 * (i % kPointsPerRow);
        names_[2].push_back(
            Text(group, QStringLiteral("lblF%1").arg(i), QStringLiteral("F%1").arg(i), kName));
        Grid(group)->addWidget(names_[2].back(), row, column);
        lblFON_[i] = Text(group, QStringLiteral("lblF%1ON").arg(i), QStringLiteral("0"));
        lblFON_[i]->setMinimumSize(18, 18);
        Grid(group)->addWidget(lblFON_[i], row, column + 1);
    }

    group = boxes.timers;
    for (int k = 1; k <= kTimers; ++k) {
        names_[3].push_back(
            Text(group, QStringLiteral("lblT%1").arg(k), QStringLiteral("T%1").arg(k), kName));
        Grid(group)->addWidget(names_[3].back(), k, 0);
        lblTPre_[k - 1] = Text(group, QStringLiteral("lblT%1Pre").arg(k), QStringLiteral("0.0"));
        lblTAcc_[k - 1] = Text(group, QStringLiteral("lblT%1Acc").arg(k), QStringLiteral("0.0"));
        lblTDN_[k - 1] = Text(group, QStringLiteral("lblT%1DN").arg(k), QStringLiteral("0"));
        Grid(group)->addWidget(lblTPre_[k - 1], k, 1);
        Grid(group)->addWidget(lblTAcc_[k - 1], k, 2);
        Grid(group)->addWidget(lblTDN_[k - 1], k, 3);
    }
    ValueColumn(group, 1, QStringLiteral("9999.9"));
    ValueColumn(group, 2, QStringLiteral("9999.9"));
    ValueColumn(group, 3, Heading(group, 3));

    group = boxes.counters;
    for (int k = 1; k <= kCounters; ++k) {
        names_[4].push_back(
            Text(group, QStringLiteral("lblC%1").arg(k), QStringLiteral("C%1").arg(k), kName));
        Grid(group)->addWidget(names_[4].back(), k, 0);
        lblCPre_[k - 1] = Text(group, QStringLiteral("C%1Pre").arg(k), QStringLiteral("0"));
        lblCAcc_[k - 1] = Text(group, QStringLiteral("C%1Acc").arg(k), QStringLiteral("0"));
        lblCDN_[k - 1] = Text(group, QStringLiteral("lblC%1DN").arg(k), QStringLiteral("0"));
        lblCUP_[k - 1] = Text(group, QStringLiteral("lblC%1UP").arg(k), QStringLiteral("0"));
        Grid(group)->addWidget(lblCPre_[k - 1], k, 1);
        Grid(group)->addWidget(lblCAcc_[k - 1], k, 2);
        Grid(group)->addWidget(lblCDN_[k - 1], k, 3);
        Grid(group)->addWidget(lblCUP_[k - 1], k, 4);
    }
    ValueColumn(group, 1, QStringLiteral("99999"));
    ValueColumn(group, 2, QStringLiteral("99999"));

    group = boxes.registers;
    QGridLayout* grid = Grid(group);
    for (int r = 1; r <= kRegisters; ++r) {
        names_[5].push_back(
            Text(group, QStringLiteral("lblRegister%1").arg(r), registerRow(r), kName));
        grid->addWidget(names_[5].back(), r, 0);
        for (int bit = kPoints - 1; bit >= 0; --bit) {
            // Four groups of four, bit 15 on the left, an empty column between groups.
            const int position = kPoints - 1 - bit;
            auto* label =
                Text(group, QStringLiteral("lblRegister%1%2").arg(QChar(u'A' + r - 1)).arg(bit),
                     QStringLiteral("0"));
            if (!compact) {
                label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                label->setMinimumSize(18, 18);
            }
            grid->addWidget(label, r, 1 + position + position / 4);
            lblRegister_[r - 1][bit] = label;
        }
    }
    grid->setColumnMinimumWidth(0, grid->itemAtPosition(1, 0)->widget()->sizeHint().width() + 8);
    for (int gap : {5, 10, 15}) grid->setColumnMinimumWidth(gap, compact ? 1 : 2);
    if (compact) grid->setHorizontalSpacing(1);

    auto* drags = new PointDrags(boxes.inputs);
    auto named = [](QGroupBox* box, const QString& name) { return box->findChild<QLabel*>(name); };
    for (int i = 0; i < kPoints; ++i) {
        const QString n = QString::number(i);
        drags->add(named(boxes.inputs, QStringLiteral("lblIP") + n), QStringLiteral("IP") + n);
        drags->add(named(boxes.outputs, QStringLiteral("lblOP") + n), QStringLiteral("OP") + n);
        drags->add(imgOPOn_[i], QStringLiteral("OP") + n);
        drags->add(imgOPOff_[i], QStringLiteral("OP") + n);
        drags->add(named(boxes.flags, QStringLiteral("lblF") + n), QStringLiteral("F") + n);
        drags->add(lblFON_[i], QStringLiteral("F") + n);
        for (int r = 1; r <= kRegisters; ++r)
            drags->add(lblRegister_[r - 1][i], QStringLiteral("R%1/%2").arg(r).arg(i));
    }
    for (int k = 1; k <= kTimers; ++k) {
        drags->add(lblTDN_[k - 1], QStringLiteral("T%1/DN").arg(k));
        drags->add(named(boxes.timers, QStringLiteral("lblT%1").arg(k)),
                   QStringLiteral("T%1/DN").arg(k));
        drags->add(lblTAcc_[k - 1], QStringLiteral("T%1").arg(k));
    }
    for (int k = 1; k <= kCounters; ++k) {
        drags->add(lblCDN_[k - 1], QStringLiteral("C%1/DN").arg(k));
        drags->add(named(boxes.counters, QStringLiteral("lblC%1").arg(k)),
                   QStringLiteral("C%1/DN").arg(k));
        drags->add(lblCUP_[k - 1], QStringLiteral("C%1/UP").arg(k));
        drags->add(lblCAcc_[k - 1], QStringLiteral("C%1").arg(k));
    }
}

void MemoryGroups::setNames(const IOComments& comments, bool beside) {
    for (int group = 0; group < kIOCommentGroups; ++group) {
        const int first = IOCommentGroups()[group].first;
        std::vector<QString>& plain = plainNames_[group];
        if (plain.empty())
            for (QLabel* label : names_[group]) plain.push_back(label->text());
        for (size_t i = 0; i < names_[group].size(); ++i) {
            QLabel* label = names_[group][i];
            const std::string* comment =
                IOCommentSlot(comments, group, first + static_cast<int>(i));
            const QString name = comment ? FromAnsi(*comment) : QString();
            label->setToolTip(name);
            QString text = plain[i];
            if (beside && !name.isEmpty())
                text += QLatin1Char(' ') +
                        label->fontMetrics().elidedText(
                            name, Qt::ElideRight, label->fontMetrics().averageCharWidth() * 14);
            label->setText(text);
        }
    }
}

void MemoryGroups::showOff(int input, bool shown) {
    btnOFF_[input]->setVisible(shown);
    btnON_[input]->setVisible(!shown);
}

void MemoryGroups::update(const MemoryImage& m) {
    for (int i = 0; i < kPoints; ++i) {
        imgOPOn_[i]->setVisible(m.Outputs[i].State);
        imgOPOff_[i]->setVisible(!m.Outputs[i].State);
        lblFON_[i]->setText(Bit(m.Flags[i].State));
    }
    for (int k = 1; k <= kTimers; ++k) {
        lblTPre_[k - 1]->setText(Seconds(m.Timers[k].Preset));
        lblTAcc_[k - 1]->setText(Seconds(m.Timers[k].Elapsed));
        lblTDN_[k - 1]->setText(Bit(m.Timers[k].DoneImage));
    }
    for (int k = 1; k <= kCounters; ++k) {
        lblCPre_[k - 1]->setText(QString::number(m.Counters[k].Preset));
        lblCAcc_[k - 1]->setText(QString::number(m.Counters[k].Count));
        lblCDN_[k - 1]->setText(Bit(m.Counters[k].DownImage));
        lblCUP_[k - 1]->setText(Bit(m.Counters[k].UpImage));
    }
    for (int r = 1; r <= kRegisters; ++r)
        for (int bit = 0; bit < kPoints; ++bit)
            lblRegister_[r - 1][bit]->setText(Bit(m.Registers[r].Bits[bit]));
}

}  // namespace torvex
