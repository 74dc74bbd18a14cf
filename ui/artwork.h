// Our own artwork for the tool bars, the palette and the tool cursors. Everything is
// painted from vector shapes at the size and pixel ratio asked for, so it stays sharp on
// high-density screens.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace torvex {

// Palette tools, numbered as the editor numbers them.
enum PaletteToolNumber {
    kToolPointer = 0,
    kToolNOC = 1,
    kToolNCC = 2,
    kToolOP = 3,
    kToolRES = 4,
    kToolLAT = 5,
    kToolUNL = 6,
    kToolTIM = 7,
    kToolCNT = 8,
    kToolBS = 9,
    kToolCount = 10
};

enum class ButtonLook { Up, Down, Disabled };

// A palette image of 25 x 24 logical pixels (the tool on a raised or sunken button face).
QPixmap PaletteImage(int tool, ButtonLook look, qreal devicePixelRatio = 1.0);

// The mouse cursor of tools 1 ... 9 (32 x 32 logical pixels, hot spot at the arrow's tip).
QCursor ToolCursor(int tool, qreal devicePixelRatio = 1.0);

enum class Glyph {
    New,
    Open,
    Save,
    Print,
    Help,
    Run,
    SingleLoop,
    SingleStep,
    Pause,
    Stop,
    CloseSimulation,
    AddRung,
    InsertRung,
    DeleteRung,
    AddBranch,
    DeleteBranch,
    Comments,
    Undo,
    Redo,
    Application
};

// A tool-bar icon that paints itself at any size, with a greyed look when disabled.
QIcon GlyphIcon(Glyph glyph);

}  // namespace torvex
