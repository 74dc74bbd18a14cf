<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="fi_FI" sourcelanguage="en">
  <context>
    <name>torvex::TfrmMain</name>
    <message>
      <source>&amp;File</source>
      <translation>Teidosto</translation>
    </message>
    <message>
      <source>&amp;New Diagram</source>
      <translation>Uusi kaavio</translation>
    </message>
    <message>
      <source>&amp;Open Diagram...</source>
      <translation>Avaa kaavio</translation>
    </message>
    <message>
      <source>E&amp;xit</source>
      <translation>Poistu</translation>
    </message>
    <message>
      <source>&amp;Edit</source>
      <translation>Muokkaa</translation>
    </message>
    <message>
      <source>&amp;Simulations</source>
      <translation>Simuloi</translation>
    </message>
    <message>
      <source>&amp;Configure I/O...</source>
      <translation>I/O-asettelu</translation>
    </message>
    <message>
      <source>&amp;Restore Screen Layout to Default</source>
      <translation>Restore Screen Layout to Dafault</translation>
    </message>
    <message>
      <source>&amp;Control</source>
      <translation>Ohjaus</translation>
    </message>
    <message>
      <source>&amp;Help</source>
      <translation>Ohje</translation>
    </message>
    <message>
      <source>&amp;Contents...</source>
      <translation>Sisällys</translation>
    </message>
    <message>
      <source>&amp;About TORVEX...</source>
      <translation>Torvex-ohjelmasta</translation>
    </message>
    <message>
      <source>Configure I/O...</source>
      <translation>Alustus</translation>
    </message>
    <message>
      <source>Run Diagram</source>
      <translation>Aja kaavio</translation>
    </message>
    <message>
      <source>Single Loop</source>
      <translation>Askella kaavio</translation>
    </message>
    <message>
      <source>Single Step</source>
      <translation>Askella puola</translation>
    </message>
    <message>
      <source>Pause Run</source>
      <translation>Tauko Aja</translation>
    </message>
    <message>
      <source>Stop Diagram</source>
      <translation>Pysäytä kaavio</translation>
    </message>
    <message>
      <source>Close Simulation</source>
      <translation>Lopeta simulointi</translation>
    </message>
    <message>
      <source>The diagram has changed.&#13;
Do you wish to save to file?</source>
      <translation>Kaavio on muuttunut.  Haluatko tallettaa?</translation>
    </message>
    <message>
      <source>&amp;View</source>
      <translation>&amp;Näytä</translation>
    </message>
    <message>
      <source>Zoom &amp;In</source>
      <translation>Suurenna</translation>
    </message>
    <message>
      <source>Zoom &amp;Out</source>
      <translation>Pienennä</translation>
    </message>
    <message>
      <source>&amp;Actual Size</source>
      <translation>Todellinen koko</translation>
    </message>
    <message>
      <source>Fit &amp;Width</source>
      <translation>Sovita leveyteen</translation>
    </message>
    <message>
      <source>Show I/O &amp;Names</source>
      <translation>Näytä I/O-nimet</translation>
    </message>
    <message>
      <source>&amp;Display Size</source>
      <translation>Näytön koko</translation>
    </message>
    <message>
      <source>&amp;Examples</source>
      <translation>Esimerkit</translation>
    </message>
    <message>
      <source>The display size will change the next time you start TORVEX.</source>
      <translation>Näytön koko muuttuu, kun TORVEX käynnistetään seuraavan kerran.</translation>
    </message>
    <message>
      <source>&amp;Timing Chart</source>
      <translation>Aikakaavio</translation>
    </message>
    <message>
      <source>Open &amp;Trace...</source>
      <translation>Avaa jäljitys...</translation>
    </message>
    <message>
      <source>Open Trace</source>
      <translation>Avaa jäljitys</translation>
    </message>
    <message>
      <source>Traces (*.vcd *.csv);;All files (*)</source>
      <translation>Jäljitykset (*.vcd *.csv);;Kaikki tiedostot (*)</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmRungs</name>
    <message>
      <source>Rung Viewer</source>
      <translation>Puolanäyttö</translation>
    </message>
    <message>
      <source>Rung %1</source>
      <translation>Puola %1</translation>
    </message>
    <message>
      <source>Add to Timing Chart</source>
      <translation>Lisää aikakaavioon</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmDebugger</name>
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
    <message>
      <source>Debugger</source>
      <translation>Testaussimulaattori</translation>
    </message>
    <message>
      <source>Real I/O Monitor</source>
      <translation>I/O-asettelu</translation>
    </message>
    <message>
      <source>Register %1</source>
      <translation>Rekisteri %1</translation>
    </message>
    <message>
      <source>Show I/O names</source>
      <translation>Näytä I/O-nimet</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmInput</name>
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
    <name>torvex::TfrmOutput</name>
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
    <name>torvex::TfrmReset</name>
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
    <name>torvex::TfrmTimer</name>
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
    <name>torvex::TfrmCounter</name>
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
    <name>torvex::TfrmBitShift</name>
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
    <message>
      <source>Modbus TCP remote I/O</source>
      <translation>Modbus TCP -etä-I/O</translation>
    </message>
    <message>
      <source>Modbus TCP server</source>
      <translation>Modbus TCP -palvelin</translation>
    </message>
    <message>
      <source>Connection…</source>
      <translation>Yhteys…</translation>
    </message>
    <message>
      <source>Listening address…</source>
      <translation>Kuunteluosoite…</translation>
    </message>
    <message>
      <source>unit %1</source>
      <translation>yksikkö %1</translation>
    </message>
    <message>
      <source>port %1</source>
      <translation>portti %1</translation>
    </message>
  </context>
  <context>
    <name>torvex::RungEditor</name>
    <message>
      <source>&amp;Add Rung</source>
      <translation>Lisää puola</translation>
    </message>
    <message>
      <source>&amp;Insert Rung</source>
      <translation>Sijoita puola</translation>
    </message>
    <message>
      <source>&amp;Delete Rung</source>
      <translation>Poista puola</translation>
    </message>
    <message>
      <source>Add &amp;Branch</source>
      <translation>Lisää haara</translation>
    </message>
    <message>
      <source>Delete B&amp;ranch</source>
      <translation>Poista haara</translation>
    </message>
    <message>
      <source>Edit &amp;Control</source>
      <translation>Muokkaa ohjaussymboli</translation>
    </message>
    <message>
      <source>Delete C&amp;ontrol</source>
      <translation>Poista ohjaussymboli</translation>
    </message>
    <message>
      <source>&amp;Show Comments</source>
      <translation>Näytä kommentit</translation>
    </message>
    <message>
      <source>&amp;Hide Comments</source>
      <translation>Piilota kommentit</translation>
    </message>
    <message>
      <source>Comments</source>
      <translation>Puolakommentit</translation>
    </message>
    <message>
      <source>Click on the diagram where you want the branch to begin</source>
      <translation>Klikkaa kohtaa, mistä haluat haaran alkavan.</translation>
    </message>
    <message>
      <source>Now click on the diagram where you want the branch to end</source>
      <translation>Klikkaa kohtaa, mihin haluat haaran päättyvän.</translation>
    </message>
    <message>
      <source>Click on the branch you want to delete</source>
      <translation>Kilikkaa haaraa, jonka haluat poistaa</translation>
    </message>
    <message>
      <source>Click on the control you wish to delete</source>
      <translation>Klikkaa ohjaussymbolia, jonka haluat poistaa.</translation>
    </message>
    <message>
      <source>Click on the rung you wish to delete</source>
      <translation>Klikkaa puolaa, jonka haluat poistaa</translation>
    </message>
    <message>
      <source>Click on the control you wish to edit</source>
      <translation>Klikkaa ohjaussymbolia, jota haluat muokata.</translation>
    </message>
    <message>
      <source>Click where you want to insert new rung</source>
      <translation>Klikkaa kohtaa, mihin haluat sijoittaa uuden puolan.</translation>
    </message>
    <message>
      <source>No more outputs can be placed on this rung</source>
      <translation>Tähän puolaan ei voi laittaa lisää ohjaussymbolea.</translation>
    </message>
    <message>
      <source>Is this branch correct?</source>
      <translation>Onko tämä haara oikein ?</translation>
    </message>
    <message>
      <source>Do you wish to delete this branch?</source>
      <translation>Haluatko poistaa tämän haaran ?</translation>
    </message>
    <message>
      <source>Are you sure you want to delete %1?</source>
      <translation>Haluatko varmisti poistaa %1?</translation>
    </message>
    <message>
      <source>Are you sure you want to delete rung %1?</source>
      <translation>Haluatko varmisti poistaa puolan %1?</translation>
    </message>
    <message>
      <source>The diagram cannot hold more than 1001 rungs.</source>
      <translation>Kaavioon mahtuu enintään 1001 puolaa.</translation>
    </message>
    <message>
      <source>&amp;Undo</source>
      <translation>Kumoa</translation>
    </message>
    <message>
      <source>R&amp;edo</source>
      <translation>Tee uudelleen</translation>
    </message>
    <message>
      <source>&amp;Undo %1</source>
      <translation>Kumoa: %1</translation>
    </message>
    <message>
      <source>R&amp;edo %1</source>
      <translation>Tee uudelleen: %1</translation>
    </message>
    <message>
      <source>Cu&amp;t Rung</source>
      <translation>Leikkaa puola</translation>
    </message>
    <message>
      <source>Cop&amp;y Rung</source>
      <translation>Kopioi puola</translation>
    </message>
    <message>
      <source>&amp;Paste Rung</source>
      <translation>Liitä puola</translation>
    </message>
    <message>
      <source>Add Rung</source>
      <translation>Lisää puola</translation>
    </message>
    <message>
      <source>Insert Rung</source>
      <translation>Sijoita puola</translation>
    </message>
    <message>
      <source>Delete Rung</source>
      <translation>Poista puola</translation>
    </message>
    <message>
      <source>Add Branch</source>
      <translation>Lisää haara</translation>
    </message>
    <message>
      <source>Delete Branch</source>
      <translation>Poista haara</translation>
    </message>
    <message>
      <source>Cut Rung</source>
      <translation>Leikkaa puola</translation>
    </message>
    <message>
      <source>Paste Rung</source>
      <translation>Liitä puola</translation>
    </message>
    <message>
      <source>Paste %1 Rungs</source>
      <translation>Liitä %1 puolaa</translation>
    </message>
    <message>
      <source>Rung Comment</source>
      <translation>Puolan kommentti</translation>
    </message>
    <message>
      <source>I/O Comment</source>
      <translation>I/O-kommentti</translation>
    </message>
    <message>
      <source>Place %1</source>
      <translation>Sijoita %1</translation>
    </message>
    <message>
      <source>Edit %1</source>
      <translation>Muokkaa %1</translation>
    </message>
    <message>
      <source>Delete %1</source>
      <translation>Poista %1</translation>
    </message>
    <message>
      <source>Normally Open Contact %1</source>
      <translation>Sulkeutuva kosketin %1</translation>
    </message>
    <message>
      <source>Normally Closed Contact %1</source>
      <translation>Avautuva kosketin %1</translation>
    </message>
    <message>
      <source>Output %1</source>
      <translation>Lähtö %1</translation>
    </message>
    <message>
      <source>Reset %1</source>
      <translation>Nollaus %1</translation>
    </message>
    <message>
      <source>Latch Output %1</source>
      <translation>Lukittu lähtö %1</translation>
    </message>
    <message>
      <source>Unlatch Output %1</source>
      <translation>Lukitsematon lähtö %1</translation>
    </message>
    <message>
      <source>Timer %1</source>
      <translation>Ajastin %1</translation>
    </message>
    <message>
      <source>Counter %1</source>
      <translation>Laskuri %1</translation>
    </message>
    <message>
      <source>Bit Shift %1</source>
      <translation>Bittisiirto %1</translation>
    </message>
    <message>
      <source>Click on a rung first to select it</source>
      <translation>Valitse ensin puola klikkaamalla sitä.</translation>
    </message>
  </context>
  <context>
    <name>torvex::AnnunciatorView</name>
    <message>
      <source>PROCESS ALARMS</source>
      <translation>HÄLYTYKSET</translation>
    </message>
    <message>
      <source>ACK</source>
      <translation>KUITTAUS</translation>
    </message>
    <message>
      <source>RESET</source>
      <translation>PALAUTUS</translation>
    </message>
    <message>
      <source>TEST</source>
      <translation>TESTI</translation>
    </message>
    <message>
      <source>SILENCE</source>
      <translation>HILJENNYS</translation>
    </message>
    <message>
      <source>FIELD CONTACTS — CLICK TO UPSET</source>
      <translation>KOSKETTIMET — HÄIRIÖ NAPSAUTTAMALLA</translation>
    </message>
    <message>
      <source>HIGH
PRESSURE</source>
      <translation>PAINE
KORKEA</translation>
    </message>
    <message>
      <source>HIGH
TEMP.</source>
      <translation>LÄMPÖ
KORKEA</translation>
    </message>
    <message>
      <source>LOW
LEVEL</source>
      <translation>PINTA
MATALA</translation>
    </message>
    <message>
      <source>LOW
FLOW</source>
      <translation>VIRTAUS
PIENI</translation>
    </message>
    <message>
      <source>PUMP
TRIPPED</source>
      <translation>PUMPPU
LAUENNUT</translation>
    </message>
    <message>
      <source>GAS
DETECTED</source>
      <translation>KAASU-
HÄLYTYS</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
    <message>
      <source>UPSET</source>
      <translation>HÄIRIÖ</translation>
    </message>
  </context>
  <context>
    <name>torvex::CarParkView</name>
    <message>
      <source>ENTRY</source>
      <translation>SISÄÄN</translation>
    </message>
    <message>
      <source>EXIT</source>
      <translation>ULOS</translation>
    </message>
    <message>
      <source>ATTENDANT</source>
      <translation>VALVOJA</translation>
    </message>
    <message>
      <source>RESET</source>
      <translation>KUITTAUS</translation>
    </message>
    <message>
      <source>FULL</source>
      <translation>TÄYNNÄ</translation>
    </message>
    <message>
      <source>SPACES</source>
      <translation>TILAA</translation>
    </message>
    <message>
      <source>OPEN</source>
      <translation>AUKI</translation>
    </message>
    <message>
      <source>CLOSED</source>
      <translation>KIINNI</translation>
    </message>
    <message>
      <source>KEY</source>
      <translation>AVAIN</translation>
    </message>
    <message>
      <source>Stopped: %1</source>
      <translation>Pysäytetty: %1</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmAbout</name>
    <message>
      <source>About</source>
      <translation>Tietoja</translation>
    </message>
    <message>
      <source>Version</source>
      <translation>Versio</translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmInformation</name>
    <message>
      <source>Contact Details...</source>
      <translation>Yhteystiedot...</translation>
    </message>
    <message>
      <source>For further information on TORVEX or other Quendale products please contact your local supplier, or click the link</source>
      <translation>Lisätietoja TORVEXista ja muista Quendalen tuotteista saat paikalliselta jälleenmyyjältäsi tai napsauttamalla linkkiä</translation>
    </message>
    <message>
      <source>Web: </source>
      <translation>Verkko: </translation>
    </message>
    <message>
      <source>OK</source>
      <translation>OK</translation>
    </message>
  </context>
  <context>
    <name>torvex::ElevatorView</name>
    <message>
      <source>In the car</source>
      <translation>Korissa</translation>
    </message>
    <message>
      <source>Stopped: %1</source>
      <translation>Pysäytetty: %1</translation>
    </message>
  </context>
  <context>
    <name>torvex::TrafficLightView</name>
    <message>
      <source>Stopped: %1</source>
      <translation>Pysäytetty: %1</translation>
    </message>
    <message>
      <source>N</source>
      <extracomment>The compass point north, one letter.</extracomment>
      <translation>P</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmTimingChart</name>
    <message>
      <source>Add points with Add Point, from a contact&apos;s menu in the rungs, or by dragging them from the debugger.</source>
      <translation>Lisää pisteitä Lisää piste -valikosta, koskettimen valikosta puolanäytössä tai vetämällä ne testaussimulaattorista.</translation>
    </message>
    <message>
      <source>Timing Chart</source>
      <translation>Aikakaavio</translation>
    </message>
    <message>
      <source>Add Point</source>
      <translation>Lisää piste</translation>
    </message>
    <message>
      <source>Pause Chart</source>
      <translation>Pysäytä aikakaavio</translation>
    </message>
    <message>
      <source>Hold the chart still to scroll back; the run goes on</source>
      <translation>Pysäytä aikakaavio selataksesi taaksepäin; ajo jatkuu</translation>
    </message>
    <message>
      <source>Zoom In</source>
      <translation>Lähennä</translation>
    </message>
    <message>
      <source>Zoom Out</source>
      <translation>Loitonna</translation>
    </message>
    <message>
      <source>Whole Record</source>
      <translation>Koko tallenne</translation>
    </message>
    <message>
      <source>Scan Grid</source>
      <translation>Kierrosruudukko</translation>
    </message>
    <message>
      <source>Value Change Dump (VCD)...</source>
      <translation>Arvonmuutostiedosto (VCD)...</translation>
    </message>
    <message>
      <source>Value change dump (*.vcd)</source>
      <translation>Arvonmuutostiedosto (*.vcd)</translation>
    </message>
    <message>
      <source>Comma-Separated Values (CSV)...</source>
      <translation>Pilkuin erotetut arvot (CSV)...</translation>
    </message>
    <message>
      <source>Comma-separated values (*.csv)</source>
      <translation>Pilkuin erotetut arvot (*.csv)</translation>
    </message>
    <message>
      <source>Picture (PNG)...</source>
      <translation>Kuva (PNG)...</translation>
    </message>
    <message>
      <source>PNG picture (*.png)</source>
      <translation>PNG-kuva (*.png)</translation>
    </message>
    <message>
      <source>Document (PDF)...</source>
      <translation>Asiakirja (PDF)...</translation>
    </message>
    <message>
      <source>PDF document (*.pdf)</source>
      <translation>PDF-asiakirja (*.pdf)</translation>
    </message>
    <message>
      <source>Export</source>
      <translation>Vie</translation>
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
    <message>
      <source>Register %1</source>
      <translation>Rekisteri %1</translation>
    </message>
    <message>
      <source>Move Up</source>
      <translation>Siirrä ylös</translation>
    </message>
    <message>
      <source>Move Down</source>
      <translation>Siirrä alas</translation>
    </message>
    <message>
      <source>Remove from Chart</source>
      <translation>Poista aikakaaviosta</translation>
    </message>
    <message>
      <source>A: %1 s</source>
      <translation>A: %1 s</translation>
    </message>
    <message>
      <source>B: %1 s</source>
      <translation>B: %1 s</translation>
    </message>
    <message>
      <source>Click to put cursor A, right-click for cursor B</source>
      <translation>Napsauta: kohdistin A, oikea napsautus: kohdistin B</translation>
    </message>
    <message>
      <source>Timing Chart - %1</source>
      <translation>Aikakaavio - %1</translation>
    </message>
    <message>
      <source>Cannot open the trace %1.</source>
      <translation>Jäljitystä %1 ei voi avata.</translation>
    </message>
    <message>
      <source>%1 is not a trace written as VCD or CSV by torvex-run or by this program.</source>
      <translation>%1 ei ole torvex-runin tai tämän ohjelman VCD- tai CSV-muodossa kirjoittama jäljitys.</translation>
    </message>
    <message>
      <source>%1, line %2: this line cannot be read as part of a trace.</source>
      <translation>%1, rivi %2: riviä ei voi lukea jäljityksen osaksi.</translation>
    </message>
    <message>
      <source>%1 holds no scans.</source>
      <translation>%1 ei sisällä yhtään kierrosta.</translation>
    </message>
    <message>
      <source>Export Timing Chart</source>
      <translation>Vie aikakaavio</translation>
    </message>
    <message>
      <source>Choose a name ending in .vcd, .csv, .png or .pdf.</source>
      <translation>Valitse nimi, jonka pääte on .vcd, .csv, .png tai .pdf.</translation>
    </message>
    <message>
      <source>Cannot write %1: %2</source>
      <translation>Tiedostoon %1 ei voi kirjoittaa: %2</translation>
    </message>
    <message>
      <source>B - A: %1 s, %2 scan</source>
      <translation>B - A: %1 s, %2 kierros</translation>
    </message>
    <message>
      <source>B - A: %1 s, %2 scans</source>
      <translation>B - A: %1 s, %2 kierrosta</translation>
    </message>
    <message>
      <source>Trace %1</source>
      <translation>Jäljitys %1</translation>
    </message>
    <message>
      <source>Following the run</source>
      <translation>Seuraa ajoa</translation>
    </message>
    <message>
      <source>Chart paused</source>
      <translation>Aikakaavio pysäytetty</translation>
    </message>
    <message>
      <source>Scans kept: %1</source>
      <translation>Kierroksia tallessa: %1</translation>
    </message>
  </context>
  <context>
    <name>DiagramPrinter</name>
    <message>
      <source>Page %1</source>
      <translation>Sivu %1</translation>
    </message>
    <message>
      <source>Rung %1</source>
      <translation>Puola %1</translation>
    </message>
    <message>
      <source>I/O List</source>
      <translation>I/O-luettelo</translation>
    </message>
    <message>
      <source>Point</source>
      <translation>Piste</translation>
    </message>
    <message>
      <source>Comment</source>
      <translation>Kommentti</translation>
    </message>
    <message>
      <source>Rungs</source>
      <translation>Puolat</translation>
    </message>
  </context>
  <context>
    <name>torvex::TfrmModbusConnection</name>
    <message>
      <source>Connection</source>
      <translation>Yhteys</translation>
    </message>
    <message>
      <source>Host:</source>
      <translation>Osoite:</translation>
    </message>
    <message>
      <source>Port:</source>
      <translation>Portti:</translation>
    </message>
    <message>
      <source>Unit id:</source>
      <translation>Yksikön tunnus:</translation>
    </message>
    <message>
      <source>First discrete input (inputs 0-15):</source>
      <translation>Ensimmäinen digitaalitulo (tulot 0-15):</translation>
    </message>
    <message>
      <source>First coil (outputs 0-15):</source>
      <translation>Ensimmäinen kela (lähdöt 0-15):</translation>
    </message>
    <message>
      <source>Enter the device's host name or address.</source>
      <translation>Anna laitteen nimi tai osoite.</translation>
    </message>
    <message>
      <source>A unit id is 1 ... 247 or 255.</source>
      <translation>Yksikön tunnus on 1 ... 247 tai 255.</translation>
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
  <context>
    <name>torvex::TfrmModbusListen</name>
    <message>
      <source>Listening address</source>
      <translation>Kuunteluosoite</translation>
    </message>
    <message>
      <source>This machine only</source>
      <translation>Vain tämä kone</translation>
    </message>
    <message>
      <source>Every network of this machine</source>
      <translation>Kaikki tämän koneen verkot</translation>
    </message>
    <message>
      <source>Listen on:</source>
      <translation>Kuuntele osoitteessa:</translation>
    </message>
    <message>
      <source>Listening on %1, any machine on that network can drive the outputs.</source>
      <translation>Kun kuunnellaan osoitteessa %1, mikä tahansa kone siinä verkossa voi ohjata lähtöjä.</translation>
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
  <context>
    <name>torvex::LinkCaption</name>
    <message>
      <source>closed</source>
      <translation>suljettu</translation>
    </message>
    <message>
      <source>connecting</source>
      <translation>yhdistetään</translation>
    </message>
    <message>
      <source>connected</source>
      <translation>yhdistetty</translation>
    </message>
    <message>
      <source>no answer (retrying)</source>
      <translation>ei vastausta (yritetään uudelleen)</translation>
    </message>
    <message>
      <source>no client</source>
      <translation>ei asiakkaita</translation>
    </message>
    <message>
      <source>1 client</source>
      <translation>1 asiakas</translation>
    </message>
    <message>
      <source>%1 clients</source>
      <translation>%1 asiakasta</translation>
    </message>
    <message>
      <source>cannot listen (retrying)</source>
      <translation>ei voi kuunnella (yritetään uudelleen)</translation>
    </message>
    <message>
      <source>Any machine on that network can drive the outputs.</source>
      <translation>Mikä tahansa kone siinä verkossa voi ohjata lähtöjä.</translation>
    </message>
    <message>
      <source>No error so far.</source>
      <translation>Ei virheitä tähän mennessä.</translation>
    </message>
    <message>
      <source>Last error: %1</source>
      <translation>Viimeisin virhe: %1</translation>
    </message>
  </context>
</TS>
