<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI" sourcelanguage="en">
<context>
    <name>torvex::TfrmDebugger</name>
    <message>
        <source>Debugger</source>
        <translation>Testaussimulaattori</translation>
    </message>
    <message>
        <source>Real I/O Monitor</source>
        <translation>I/O-asettelu</translation>
    </message>
    <message>
        <source>Inputs</source>
        <translation>Tulot</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Lähdöt</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Liput</translation>
    </message>
    <message>
        <source>Timers</source>
        <translation>Ajastimet</translation>
    </message>
    <message>
        <source>Counters</source>
        <translation>Laskurit</translation>
    </message>
    <message>
        <source>Registers</source>
        <translation>Rekisterit</translation>
    </message>
</context>
<context>
    <name>torvex::TfrmPreferences</name>
    <message>
        <source>Configure I/O</source>
        <translation>I/O-asettelu</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Liitäntä</translation>
    </message>
    <message>
        <source>Base Address</source>
        <translation>Perusosoite</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Peruuta</translation>
    </message>
</context>
</TS>
