<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MessageBoxDialogs</name>
    <message>
        <source>Zapisz</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Nie zapisuj</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>Anuluj</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vorda::AboutDialog</name>
    <message>
        <source>Informacje o programie</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>Sprawdź najnowszą wersję</source>
        <translation>Check for the newest version</translation>
    </message>
    <message>
        <source>Sprawdź w internecie najnowszą wersję.</source>
        <translation>Look up the newest version on the internet.</translation>
    </message>
    <message>
        <source>wersja 2.6.3</source>
        <translation>version 2.6.3</translation>
    </message>
    <message>
        <source>Rejestrator DL03</source>
        <translation>Recorder DL03</translation>
    </message>
    <message>
        <source>Program obsługi systemów pomiarowych:</source>
        <translation>Service program for measuring systems:</translation>
    </message>
</context>
<context>
    <name>vorda::CalibrationChoiceDialog</name>
    <message>
        <source>Kalibracja / Zerowanie</source>
        <translation>Calibration / Zeroing</translation>
    </message>
    <message>
        <source>Wybierz:</source>
        <translation>Choose:</translation>
    </message>
    <message>
        <source>Kalibracja</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Zerowanie</source>
        <translation>Zeroing</translation>
    </message>
    <message>
        <source>Rezygnuj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Dwupunktowa kalibracja czujnika:
Ustawienie nachylenia i przesunięcia
charakterystyki czujnika pomiarowego.</source>
        <translation>Two-point sensor calibration:
sets the slope and the offset
of the sensor&apos;s characteristic.</translation>
    </message>
    <message>
        <source>Jednopunktowe zerowanie.
Ustawienie przesunięcia charakterystyki,
nachylenia bez zmian.</source>
        <translation>One-point zeroing.
Sets the characteristic&apos;s offset,
the slope unchanged.</translation>
    </message>
</context>
<context>
    <name>vorda::CalibrationWizardWindow</name>
    <message>
        <source>- zasilanie rejestratora;</source>
        <translation>- the recorder&apos;s power supply;</translation>
    </message>
    <message>
        <source>- podłączenie kabla  transmisji RS232;</source>
        <translation>- the RS232 transmission cable connection;</translation>
    </message>
    <message>
        <source>- zgodność parametrów transmisji.</source>
        <translation>- matching transmission parameters.</translation>
    </message>
    <message>
        <source>Wciśnij klawisz  &apos;Dalej &apos;.</source>
        <translation>Press the &apos;Next&apos; button.</translation>
    </message>
    <message>
        <source>Kanał</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format pomiarów zapisywanych do pliku</source>
        <translation>Format of the measurements written to the file</translation>
    </message>
    <message>
        <source>&amp;Cofnij</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>Dalej &gt;&gt;</source>
        <translation>Next &gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Zakończ</source>
        <translation>&amp;Finish</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Odczyt kanału %1…</source>
        <translation>Reading channel %1…</translation>
    </message>
    <message>
        <source>Kanał %1: kod %2, wartość %3</source>
        <translation>Channel %1: code %2, value %3</translation>
    </message>
    <message>
        <source>Kanał %1: brak odczytu</source>
        <translation>Channel %1: no reading</translation>
    </message>
</context>
<context>
    <name>vorda::ConstantsEditor</name>
    <message>
        <source>Ustawienia zaawansowane.</source>
        <translation>Advanced settings.</translation>
    </message>
    <message>
        <source>Ręczne ustawienie kanałów (bez kalibracji)</source>
        <translation>Manual channel settings (no calibration)</translation>
    </message>
    <message>
        <source>Ustawienia dla kanału </source>
        <translation>Settings for channel </translation>
    </message>
    <message>
        <source>Liczba całkowita &lt;0-65535&gt;</source>
        <translation>Whole number &lt;0-65535&gt;</translation>
    </message>
    <message>
        <source>Stała S_C,  Zero.</source>
        <translation>Constant S_C,  zero.</translation>
    </message>
    <message>
        <source>Liczba zmiennoprzecinkowa, używaj przecinka jako znaku dziesiętnego.</source>
        <translation>Decimal number, use a comma as the decimal sign.</translation>
    </message>
    <message>
        <source>Stała S_B, wzmocnienie.</source>
        <translation>Constant S_B, gain.</translation>
    </message>
    <message>
        <source>Tekst , gdy pusty usuwa kanał z pliku.</source>
        <translation>Text; when empty, the channel is left out of the file.</translation>
    </message>
    <message>
        <source>Nazwa czujnika</source>
        <translation>Sensor name</translation>
    </message>
    <message>
        <source>Format pomiarów zapisywanych do pliku</source>
        <translation>Format of the measurements written to the file</translation>
    </message>
    <message>
        <source>Format pomiarów</source>
        <translation>Measurement format</translation>
    </message>
    <message>
        <source>Parametry 
wykresu:</source>
        <translation>Chart 
parameters:</translation>
    </message>
    <message>
        <source>Inne czujniki</source>
        <translation>Other sensors</translation>
    </message>
    <message>
        <source>Dla wybranego kanału.</source>
        <translation>For the chosen channel.</translation>
    </message>
    <message>
        <source>Ustawienia użytkownika</source>
        <translation>User settings</translation>
    </message>
    <message>
        <source>Kliknij 2 razy na wybrane ustawienia. </source>
        <translation>Double-click the settings to apply. </translation>
    </message>
    <message>
        <source>Rezygnuj</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>vorda::FileBrowser</name>
    <message>
        <source>Użyj klawisza myszy.</source>
        <translation>Use the mouse button.</translation>
    </message>
    <message>
        <source>&amp;Otwórz</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Edytor</source>
        <translation>E&amp;ditor</translation>
    </message>
    <message>
        <source>&amp;Wykres</source>
        <translation>&amp;Chart</translation>
    </message>
    <message>
        <source>&amp;Wykres &apos;maksymalizuj&apos;</source>
        <translation>&amp;Chart &apos;maximized&apos;</translation>
    </message>
    <message>
        <source>MS Explorer</source>
        <translation>MS Explorer</translation>
    </message>
    <message>
        <source>Wstaw do MS Excel</source>
        <translation>Insert into MS Excel</translation>
    </message>
    <message>
        <source>Usuń</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Błąd ładowania pliku</source>
        <translation>Error loading the file</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Pliki tekstowe *.txt (*.txt);;Wszystkie pliki *.* (*)</source>
        <translation>Text files *.txt (*.txt);;All files *.* (*)</translation>
    </message>
    <message>
        <source>Wciskając OK! usuniesz plik %1</source>
        <translation>Pressing OK! deletes the file %1</translation>
    </message>
    <message>
        <source>Uwaga !</source>
        <translation>Warning !</translation>
    </message>
    <message>
        <source>Dostęp zabroniony!</source>
        <translation>Access denied!</translation>
    </message>
    <message>
        <source>Błąd otwarcia pliku</source>
        <translation>Error opening the file</translation>
    </message>
    <message>
        <source>Bląd</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Błąd konwersji, Zmiń nazwę lub zamknij plik w Excelu</source>
        <translation>Conversion error, Rename the file or close it in Excel</translation>
    </message>
    <message>
        <source>Ścieżka nie zostanie zapamiętana w ustawieniach: jest dłuższa niż %1 znaków lub zawiera znaki spoza strony kodowej Windows-1250.
%2</source>
        <translation>The path will not be kept in the settings: it is longer than %1 characters or holds characters outside the Windows-1250 code page.
%2</translation>
    </message>
</context>
<context>
    <name>vorda::LiveMonitoring</name>
    <message>
        <source>Pliki tekstowe *.txt (*.txt);;Pliki pomiarów *.dan (*.dan)</source>
        <translation>Text files *.txt (*.txt);;Measurement files *.dan (*.dan)</translation>
    </message>
    <message>
        <source>Błąd</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>vorda::MainWindow</name>
    <message>
        <source>OLUN Rejestrator DL03</source>
        <translation>OLUN Recorder DL03</translation>
    </message>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>Sa&amp;ve</translation>
    </message>
    <message>
        <source>&amp;Koniec</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>&amp;Pokaż pliki</source>
        <translation>Show &amp;files</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>&amp;System</translation>
    </message>
    <message>
        <source>&amp;Czytaj pamięć</source>
        <translation>&amp;Read memory</translation>
    </message>
    <message>
        <source>Czytanie nowych bloków</source>
        <translation>Read new blocks</translation>
    </message>
    <message>
        <source>&amp;Pomiay</source>
        <translation>&amp;Measurements</translation>
    </message>
    <message>
        <source>&amp;Ustaw</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>&amp;Kalibracja</source>
        <translation>&amp;Calibration</translation>
    </message>
    <message>
        <source> Właściwości</source>
        <translation> Properties</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Opis programu</source>
        <translation>Program description</translation>
    </message>
    <message>
        <source>Internetowa pomoc techniczna.</source>
        <translation>Technical support online.</translation>
    </message>
    <message>
        <source>&amp;Strona domowa OLUN</source>
        <translation>OLUN &amp;home page</translation>
    </message>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Język</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Język programu zmieni się przy następnym uruchomieniu.</source>
        <translation>The program&apos;s language changes at the next start.</translation>
    </message>
    <message>
        <source>&amp;Czytanie pamięci</source>
        <translation>&amp;Read memory</translation>
    </message>
    <message>
        <source>Czytaj wszystkie bloki pamięci.</source>
        <translation>Read every memory block.</translation>
    </message>
    <message>
        <source>&amp;Ustawianie</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>Ustawienia rejestratora i programu.</source>
        <translation>Recorder and program settings.</translation>
    </message>
    <message>
        <source>K&amp;alibrowanie</source>
        <translation>C&amp;alibration</translation>
    </message>
    <message>
        <source>Kalibrowanie i wyłączanie czujników, ustawianie formatu pomiarów.</source>
        <translation>Calibrating and switching off sensors, setting the measurement format.</translation>
    </message>
    <message>
        <source>&amp;Zerowanie pamięci</source>
        <translation>&amp;Wipe memory</translation>
    </message>
    <message>
        <source>Zerowanie wszystkich bloków pamięci.</source>
        <translation>Wiping every memory block.</translation>
    </message>
    <message>
        <source>&amp;Pomiary</source>
        <translation>&amp;Measurements</translation>
    </message>
    <message>
        <source>Start pomiaru, czytanie wybranego bloku pamięci.</source>
        <translation>Starting a measurement, reading a chosen memory block.</translation>
    </message>
    <message>
        <source>Zapisanie parametrów i zamknięcie programu.</source>
        <translation>Saving the parameters and closing the program.</translation>
    </message>
    <message>
        <source>Czytanie całej pamięci blok po bloku
i zapisywanie do kolejnych plików. </source>
        <translation>Reading the whole memory block by block
into one file after another. </translation>
    </message>
    <message>
        <source>Ustawianie parametrów transmisji i pomiaru:
czasu próbkowania, liczby próbek itd..</source>
        <translation>Setting the transmission and measurement
parameters: sampling time, sample count etc..</translation>
    </message>
    <message>
        <source>Kalibrowanie poszczególnych czujników
pomiarowych.</source>
        <translation>Calibrating the individual measuring
sensors.</translation>
    </message>
    <message>
        <source>Wymazanie całej pamięci rejestratora.</source>
        <translation>Erasing the recorder&apos;s whole memory.</translation>
    </message>
    <message>
        <source>Zdalne uruchamianie pomiarów, Czytanie
wybranych bloków pomiarowych</source>
        <translation>Starting measurements remotely, Reading
chosen measurement blocks</translation>
    </message>
    <message>
        <source>Monitorowanie bieżących pomiarów.</source>
        <translation>Monitoring the current measurements.</translation>
    </message>
    <message>
        <source>Monitorowanie</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>Podgląd.</source>
        <translation>Preview.</translation>
    </message>
    <message>
        <source>Pokaż wyniki monitorowania.</source>
        <translation>Show the monitoring results.</translation>
    </message>
    <message>
        <source>Monitorowanie.</source>
        <translation>Monitoring.</translation>
    </message>
    <message>
        <source>Monitorowanie przy podłączonym rejestratorze.</source>
        <translation>Monitoring with the recorder connected.</translation>
    </message>
    <message>
        <source>Zapisać zmiany ustawień?</source>
        <translation>Save the changes to the settings?</translation>
    </message>
    <message>
        <source>Nie można uruchomić przeglądarki internetowej</source>
        <translation>Cannot start the web browser</translation>
    </message>
</context>
<context>
    <name>vorda::MeasurementsWindow</name>
    <message>
        <source>Pomiary</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>&amp;Start pomiaru</source>
        <translation>&amp;Start measurement</translation>
    </message>
    <message>
        <source>P&amp;rzerwij</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>&amp;Ustawianie</source>
        <translation>Se&amp;ttings</translation>
    </message>
    <message>
        <source>&amp;Pokaż pomiary</source>
        <translation>Show &amp;measurements</translation>
    </message>
    <message>
        <source>Czytaj nowe</source>
        <translation>Read new</translation>
    </message>
    <message>
        <source>Czytaj bloki, których nie ma jeszcze na dysku.</source>
        <translation>Read the blocks not yet on disk.</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&amp;Zakończ</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Czytaj blok pomiarowy, kliknij dwa razy.</source>
        <translation>Read a measurement block: double-click it.</translation>
    </message>
    <message>
        <source>Wielkość wolnej pamięci -</source>
        <translation>Free memory -</translation>
    </message>
    <message>
        <source>  [na dysku]</source>
        <translation>  [on disk]</translation>
    </message>
    <message>
        <source>  [nowy]</source>
        <translation>  [new]</translation>
    </message>
</context>
<context>
    <name>vorda::MonitoringWindow</name>
    <message>
        <source>Monitorowanie1</source>
        <translation>Monitoring1</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>TabSheet1</source>
        <translation>TabSheet1</translation>
    </message>
    <message>
        <source>TabSheet2</source>
        <translation>TabSheet2</translation>
    </message>
    <message>
        <source>TabSheet3</source>
        <translation>TabSheet3</translation>
    </message>
</context>
<context>
    <name>vorda::ProgressDialog</name>
    <message>
        <source>Czytaj pamięć</source>
        <translation>Read memory</translation>
    </message>
    <message>
        <source>Bloków do przeczytania:</source>
        <translation>Blocks to read:</translation>
    </message>
    <message>
        <source>Czytany  blok pomiarowy:</source>
        <translation>Measurement block read:</translation>
    </message>
    <message>
        <source>Ilość pomiarów w bloku:</source>
        <translation>Measurements in the block:</translation>
    </message>
    <message>
        <source>Częstość próbkowania:</source>
        <translation>Sampling rate:</translation>
    </message>
    <message>
        <source>Ilość kanałów pomiarowych:</source>
        <translation>Measuring channels:</translation>
    </message>
    <message>
        <source>Pomiar wykonano:</source>
        <translation>Measured at:</translation>
    </message>
    <message>
        <source>gg:mm:ss</source>
        <translation>hh:mm:ss</translation>
    </message>
    <message>
        <source>20yy-mm-dd</source>
        <translation>20yy-mm-dd</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Tylko nowe bloki</source>
        <translation>New blocks only</translation>
    </message>
    <message>
        <source>Czytanie pamięci pomija bloki już zapisane na dysku.</source>
        <translation>The memory read skips the blocks already saved on disk.</translation>
    </message>
    <message>
        <source>Komunikaty transmisji</source>
        <translation>Transfer messages</translation>
    </message>
    <message>
        <source>&amp;Przerwij</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>Raport przeczytanej pamięci</source>
        <translation>Memory read report</translation>
    </message>
    <message>
        <source>Odebrano: %1 z %2 znaków</source>
        <translation>Received: %1 of %2 characters</translation>
    </message>
    <message>
        <source>Odebrano: %1 znaków</source>
        <translation>Received: %1 characters</translation>
    </message>
</context>
<context>
    <name>vorda::PropertiesWindow</name>
    <message>
        <source> Właściwości</source>
        <translation> Properties</translation>
    </message>
    <message>
        <source>Otwórz w arkuszu kalkulacyjnym</source>
        <translation>Open in a spreadsheet</translation>
    </message>
    <message>
        <source>Pokaż &amp;raport transmisji</source>
        <translation>Show transfer &amp;report</translation>
    </message>
    <message>
        <source>S&amp;kanuj system</source>
        <translation>Sc&amp;an system</translation>
    </message>
    <message>
        <source>S&amp;tałe kalibracji.</source>
        <translation>Calibration cons&amp;tants.</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&amp;Zamknij</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Historia kalibracji</source>
        <translation>Calibration &amp;history</translation>
    </message>
    <message>
        <source>Stałe kalibracji</source>
        <translation>Calibration constants</translation>
    </message>
    <message>
        <source>Sprawdź ustawienia: (skanuj system pomiarowy)</source>
        <translation>Check the settings: (scan the measuring system)</translation>
    </message>
    <message>
        <source>Skanuj system pomiarowy</source>
        <translation>Scan the measuring system</translation>
    </message>
    <message>
        <source>Historia kalibracji</source>
        <translation>Calibration history</translation>
    </message>
    <message>
        <source>Brak zapisanych kalibracji.</source>
        <translation>No calibrations saved.</translation>
    </message>
</context>
<context>
    <name>vorda::SettingsDialog</name>
    <message>
        <source>Wysyła gdy zaznaczone.</source>
        <translation>Sent when ticked.</translation>
    </message>
    <message>
        <source>Ustawienia</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Rejestratora</source>
        <translation>Recorder</translation>
    </message>
    <message>
        <source>Ogólne</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ustaw zaznaczone</source>
        <translation>Set the ticked</translation>
    </message>
    <message>
        <source>Wyślij do rejestratora zaznaczone ustawienia.</source>
        <translation>Send the ticked settings to the recorder.</translation>
    </message>
    <message>
        <source>Sprawdź ustawienia</source>
        <translation>Check the settings</translation>
    </message>
    <message>
        <source>Czytaj ustawienia z rejestratora.</source>
        <translation>Read the settings from the recorder.</translation>
    </message>
    <message>
        <source>Ustawienia rejestratora </source>
        <translation>Recorder settings </translation>
    </message>
    <message>
        <source>Czas próbkowania</source>
        <translation>Sampling time</translation>
    </message>
    <message>
        <source>ms.</source>
        <translation>ms.</translation>
    </message>
    <message>
        <source>     Liczba próbek</source>
        <translation>     Sample count</translation>
    </message>
    <message>
        <source>   Kanały od 1 do</source>
        <translation>   Channels 1 to</translation>
    </message>
    <message>
        <source>włączone. </source>
        <translation>on. </translation>
    </message>
    <message>
        <source>  Data Godz.</source>
        <translation>  Date Time</translation>
    </message>
    <message>
        <source>Parametry wyzwalania  (k1) </source>
        <translation>Trigger parameters  (k1) </translation>
    </message>
    <message>
        <source>Wyzwalanie:</source>
        <translation>Trigger:</translation>
    </message>
    <message>
        <source>Włączone</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Opcje: [v]-Trigger, [ ]-Normal</source>
        <translation>Options: [v]-Trigger, [ ]-Normal</translation>
    </message>
    <message>
        <source>Start/Stop:</source>
        <translation>Start/Stop:</translation>
    </message>
    <message>
        <source>Używaj przecinka jako znaku dziesiętnego.</source>
        <translation>Use a comma as the decimal sign.</translation>
    </message>
    <message>
        <source>Stałe S_B/S_C:</source>
        <translation>Constants S_B/S_C:</translation>
    </message>
    <message>
        <source>Stałe S_B/S_C </source>
        <translation>Constants S_B/S_C </translation>
    </message>
    <message>
        <source>Pierwsza kolumna pliku danych to:</source>
        <translation>The data file&apos;s first column is:</translation>
    </message>
    <message>
        <source>Nie występuje</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Numer pomiaru</source>
        <translation>Measurement number</translation>
    </message>
    <message>
        <source>Czas pomiaru</source>
        <translation>Measurement time</translation>
    </message>
    <message>
        <source>Godz.pomiaru</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <source>Zaawansowane</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Domyślne</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>Transmisji</source>
        <translation>Transmission</translation>
    </message>
    <message>
        <source>Parametry com:</source>
        <translation>Com parameters:</translation>
    </message>
    <message>
        <source>Zapisz bieżące ustawienia jako nowy program.</source>
        <translation>Save the current settings as a new program.</translation>
    </message>
    <message>
        <source>Otwórz nowy program z zapisanych ustawień:</source>
        <translation>Open a new program from saved settings:</translation>
    </message>
    <message>
        <source>Liczba próbek</source>
        <translation>Sample count</translation>
    </message>
    <message>
        <source>Kanały od 1 do</source>
        <translation>Channels 1 to</translation>
    </message>
</context>
<context>
    <name>vorda::VordaApplication</name>
    <message>
        <source>Rejestrator DL03</source>
        <translation>Recorder DL03</translation>
    </message>
    <message>
        <source>Nieznany błąd programu.</source>
        <translation>Unknown program error.</translation>
    </message>
</context>
<context>
    <name>vorda::WindowSet</name>
    <message>
        <source>Nie znaleziono przeglądarki internetowej..</source>
        <translation>No web browser found..</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Nie odnaleziono pliku pomocy!</source>
        <translation>The help file was not found!</translation>
    </message>
</context>
<context>
    <name>widgets::HelpWindow</name>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Wstecz</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Dalej</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Pomoc - %1</source>
        <translation>Help - %1</translation>
    </message>
</context>
</TS>
