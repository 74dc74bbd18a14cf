<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fi_FI" sourcelanguage="en">
<context>
    <name>TfrmInput</name>
    <message>
        <source>Inputs</source>
        <translation>Tulot</translation>
    </message>
    <message>
        <source>Select an input from the choices below.</source>
        <translation>Valitse tulo alla loevista vaihtoehdoista</translation>
    </message>
    <message>
        <source>Outputs</source>
        <translation>Lähdöt</translation>
    </message>
    <message>
        <source>Counters</source>
        <translation>Laskurit</translation>
    </message>
    <message>
        <source>Timers</source>
        <translation>Ajastimet</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Liput</translation>
    </message>
    <message>
        <source>Register Bits</source>
        <translation>Rekisteribitit</translation>
    </message>
</context>
<context>
    <name>TfrmOutput</name>
    <message>
        <source>Outputs</source>
        <translation>Lähdöt</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Liput</translation>
    </message>
    <message>
        <source>Register Bits</source>
        <translation>Rekisteribitit</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Kumoa</translation>
    </message>
</context>
<context>
    <name>TfrmReset</name>
    <message>
        <source>Reset</source>
        <translation>Nollaa</translation>
    </message>
    <message>
        <source>Select a Timer, Counter, Register Bit or Index to reset from below.</source>
        <translation>Valitse ajastin, laskuri, rekisteribitti tai indeksi</translation>
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
        <source>Register Bits</source>
        <translation>Rekisteribitit</translation>
    </message>
    <message>
        <source>Bit</source>
        <translation>Bitti</translation>
    </message>
</context>
<context>
    <name>TfrmTimer</name>
    <message>
        <source>Timers</source>
        <translation>Ajastimet</translation>
    </message>
    <message>
        <source>Select a timer number and a preset value.</source>
        <translation>Valitse ajastimen numero ja aseta aika</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Asetus</translation>
    </message>
    <message>
        <source>Secs</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Please enter Preset value</source>
        <translation>Syötä asetusarvo</translation>
    </message>
    <message>
        <source>Preset value out of range</source>
        <translation>Asetuarvo alueen ulkopuolella</translation>
    </message>
</context>
<context>
    <name>TfrmCounter</name>
    <message>
        <source>Counters</source>
        <translation>Laskurit</translation>
    </message>
    <message>
        <source>Select the counter, direction, preset and accumulator values.</source>
        <translation>Valitse laskuri, suunta, asetusarvo ja akun alkuarvo</translation>
    </message>
    <message>
        <source>Up/Down</source>
        <translation>Ylös/Alas</translation>
    </message>
    <message>
        <source>UP</source>
        <translation>Ylös</translation>
    </message>
    <message>
        <source>DOWN</source>
        <translation>Alas</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Asetus</translation>
    </message>
    <message>
        <source>Accumulator</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Please enter Preset value</source>
        <translation>Syötä asetusarvo</translation>
    </message>
    <message>
        <source>Preset value out of range</source>
        <translation>Syötä asetusarvo</translation>
    </message>
    <message>
        <source>Please enter Accumulator value</source>
        <translation>Syötä akun alkuarvo</translation>
    </message>
    <message>
        <source>Accumulator value cannot be greater than Preset</source>
        <translation>Syötä akun alkuarvo</translation>
    </message>
</context>
<context>
    <name>TfrmBitShift</name>
    <message>
        <source>Bit Shift</source>
        <translation>Bittisiirto</translation>
    </message>
    <message>
        <source>Select the register and the bit you wish to be inserted left and right .</source>
        <translation>Valitse rekisteri ja bitti, jonka haluat siirtyvän vasemmalle ja oikealle</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Rekisteri</translation>
    </message>
    <message>
        <source>Left/Right</source>
        <translation>Vasen/Oikea</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Vasen</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Oikea</translation>
    </message>
    <message>
        <source>Bit</source>
        <translation>Bitti</translation>
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
</TS>
