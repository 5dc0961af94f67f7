<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CalibrationHistory</name>
    <message>
        <source>Nie można zapisać historii kalibracji do pliku
%1</source>
        <translation>The calibration history cannot be written to the file
%1</translation>
    </message>
</context>
<context>
    <name>CalibrationWizard</name>
    <message>
        <source>Brak komunikacji z systemem,
Sprawdź połączenia?,
Sprawdź zasilanie?</source>
        <translation>No communication with the system,
Check the connections?,
Check the power supply?</translation>
    </message>
    <message>
        <source>Nie możesz skalibrować czujnika
bez podania jego nazwy</source>
        <translation>You cannot calibrate a sensor
without giving its name</translation>
    </message>
    <message>
        <source>Wpisz wartość liczbową punktu.</source>
        <translation>Enter the point&apos;s value as a number.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; nie jest liczbą.
</source>
        <translation>%1: &quot;%2&quot; is not a number.
</translation>
    </message>
    <message>
        <source>Kanał</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Stałe S_B/S_C.</source>
        <translation>Constants S_B/S_C.</translation>
    </message>
    <message>
        <source>Wartość punktu 1</source>
        <translation>Point 1 value</translation>
    </message>
    <message>
        <source>Wartość kalibrująca</source>
        <translation>Calibration value</translation>
    </message>
    <message>
        <source>Kalibracja nieudana: odczyty w obu punktach różnią się o mniej niż %1 jednostek</source>
        <translation>Calibration failed: the readings at the two points differ by less than %1 units</translation>
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
        <source>Przed kalibracją sprawdź:</source>
        <translation>Before calibrating, check:</translation>
    </message>
    <message>
        <source>Przed zerowaniem sprawdź:</source>
        <translation>Before zeroing, check:</translation>
    </message>
    <message>
        <source>Wpisz numer kanału pomiarowego</source>
        <translation>Enter the number of the measuring channel</translation>
    </message>
    <message>
        <source>i odpowiadającą mu nazwę czujnika.</source>
        <translation>and the name of its sensor.</translation>
    </message>
    <message>
        <source>Nazwa czujnika</source>
        <translation>Sensor name</translation>
    </message>
    <message>
        <source>Pierwszy punkt kalibracji; Ustaw i wpisz </source>
        <translation>First calibration point; set and enter </translation>
    </message>
    <message>
        <source>wartości dla czujnika  %1</source>
        <translation>the values for the sensor  %1</translation>
    </message>
    <message>
        <source>Drugi punkt kalibracji; Ustaw i wpisz </source>
        <translation>Second calibration point; set and enter </translation>
    </message>
    <message>
        <source>Koniec kalibracji czujnika %1.</source>
        <translation>Calibration of the sensor %1 finished.</translation>
    </message>
    <message>
        <source>Następna kalibracja - wciśnij &apos;Dalej&apos;</source>
        <translation>Next calibration - press &apos;Next&apos;</translation>
    </message>
    <message>
        <source>Koniec zerowania czujnika %1.</source>
        <translation>Zeroing of the sensor %1 finished.</translation>
    </message>
    <message>
        <source>Następne zerowanie - wciśnij &apos;Dalej&apos;</source>
        <translation>Next zeroing - press &apos;Next&apos;</translation>
    </message>
</context>
<context>
    <name>ChannelConstants</name>
    <message>
        <source>Stała S_B, wzmocnienie.</source>
        <translation>Constant S_B, gain.</translation>
    </message>
    <message>
        <source>Stała S_C,  Zero.</source>
        <translation>Constant S_C,  Zero.</translation>
    </message>
    <message>
        <source>Stała S_A, linearyzacja</source>
        <translation>Constant S_A, linearisation</translation>
    </message>
    <message>
        <source>16 wejść napięciowych 0-1000mV</source>
        <translation>16 voltage inputs 0-1000mV</translation>
    </message>
    <message>
        <source>8 wejść temperatur PT500</source>
        <translation>8 temperature inputs PT500</translation>
    </message>
    <message>
        <source>16 wejść napięciowych 0-4000mV</source>
        <translation>16 voltage inputs 0-4000mV</translation>
    </message>
    <message>
        <source>4 wejścia 0-100mV i 4 wejścia PT500 </source>
        <translation>4 inputs 0-100mV and 4 inputs PT500 </translation>
    </message>
    <message>
        <source>k1(siła) 0-200KG, k2(przes.) 0-1000mm</source>
        <translation>k1(force) 0-200KG, k2(displ.) 0-1000mm</translation>
    </message>
    <message>
        <source>k1,k2 przesunięcie 10mm, k3 obroty</source>
        <translation>k1,k2 displacement 10mm, k3 revolutions</translation>
    </message>
    <message>
        <source>8 wejść analogowych; 8 liczników</source>
        <translation>8 analogue inputs; 8 counters</translation>
    </message>
    <message>
        <source>2xtemperat.;2xprzepływ.;2xcisnien.</source>
        <translation>2xtemperat.;2xflow;2xpressure</translation>
    </message>
</context>
<context>
    <name>CommaNumber</name>
    <message>
        <source>&quot;%1&quot; nie jest prawidłową liczbą (pole &quot;%2&quot;).</source>
        <translation>&quot;%1&quot; is not a valid number (field &quot;%2&quot;).</translation>
    </message>
</context>
<context>
    <name>ConstantsReport</name>
    <message>
        <source> Numer   Nazwa   Wartość_punktów_kalib.  Stałe_kalibracji(S_B,S_C)  </source>
        <translation> Channel Sensor  Calibration_points      Calibration_consts(S_B,S_C)</translation>
    </message>
    <message>
        <source>kanału  czujnika   Punkt1   Punkt2       Nachylenie Przesunięcie    </source>
        <translation> number  name       Point1   Point2       Slope      Offset         </translation>
    </message>
</context>
<context>
    <name>DownloadFigures</name>
    <message>
        <source>%1 blok</source>
        <translation>%1 block</translation>
    </message>
    <message>
        <source>%1 bloki</source>
        <translation>%1 blocks</translation>
    </message>
    <message>
        <source>%1 bloków</source>
        <translation>%1 blocks</translation>
    </message>
    <message>
        <source>Pominięto %1 blok już zapisany</source>
        <translation>Skipped %1 block already stored</translation>
    </message>
    <message>
        <source>Pominięto %1 bloki już zapisane</source>
        <translation>Skipped %1 blocks already stored</translation>
    </message>
    <message>
        <source>Pominięto %1 bloków już zapisanych</source>
        <translation>Skipped %1 blocks already stored</translation>
    </message>
    <message>
        <source>niepełne</source>
        <translation>incomplete</translation>
    </message>
    <message>
        <source>bez pliku</source>
        <translation>not written</translation>
    </message>
    <message>
        <source>Przeczytano %1</source>
        <translation>Read %1</translation>
    </message>
    <message>
        <source>Pamięć rejestratora jest pusta</source>
        <translation>The recorder&apos;s memory is empty</translation>
    </message>
    <message>
        <source>Przerwano: zapisano %1</source>
        <translation>Aborted: written %1</translation>
    </message>
    <message>
        <source>%1; przeczytano %2</source>
        <translation>%1; read %2</translation>
    </message>
</context>
<context>
    <name>DumpConversion</name>
    <message>
        <source>Pusty plik &apos;%1&apos;</source>
        <translation>Empty file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Błędny nagłówek pliku &apos;%1&apos;</source>
        <translation>Wrong header of the file &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Błędny czas pomiaru &apos;%1&apos; w pliku &apos;%2&apos;.
Plik pomiarowy nie został zapisany.</source>
        <translation>Wrong measurement time &apos;%1&apos; in the file &apos;%2&apos;.
The measurement file was not written.</translation>
    </message>
    <message>
        <source>Błąd otwarcia pliku..</source>
        <translation>Error opening the file..</translation>
    </message>
    <message>
        <source>Błąd zapisu pliku %1</source>
        <translation>Error writing the file %1</translation>
    </message>
    <message>
        <source>Błąd zapisu pliku %1: %2</source>
        <translation>Error writing the file %1: %2</translation>
    </message>
    <message>
        <source>o długości %1 pomiarów zapisany <byte value="xd"/>
do pliku %2</source>
        <translation>of %1 samples written <byte value="xd"/>
to the file %2</translation>
    </message>
    <message>
        <source>Plik %1 nie jest plikiem tego bloku: pozostawiono go, blok zapisano obok</source>
        <translation>The file %1 is not this block&apos;s file: it was left alone and the block written beside it</translation>
    </message>
    <message>
        <source>brak wolnej nazwy</source>
        <translation>no free name</translation>
    </message>
    <message>
        <source>Blok niepełny: plik &apos;%1&apos; zawiera %2 z %3 pomiarów</source>
        <translation>Incomplete block: the file &apos;%1&apos; holds %2 of %3 samples</translation>
    </message>
    <message>
        <source>Długość bloku niezgodna z nagłówkiem: odebrano %1 znaków, oczekiwano %2</source>
        <translation>Block length differs from its header: %1 characters received, %2 expected</translation>
    </message>
    <message>
        <source>%1 znaków spoza zakresu danych</source>
        <translation>%1 characters outside the data range</translation>
    </message>
    <message>
        <source>Plik nie istnieje &apos;%1&apos;</source>
        <translation>The file does not exist &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>Katalog danych &apos;%1&apos; nie istnieje.
Plik pomiarowy nie został zapisany.</source>
        <translation>The data directory &apos;%1&apos; does not exist.
The measurement file was not written.</translation>
    </message>
</context>
<context>
    <name>MeasurementControl</name>
    <message>
        <source>Brak wolnej pamięci !</source>
        <translation>No free memory !</translation>
    </message>
    <message>
        <source>Zbyt mało pamięci !</source>
        <translation>Too little memory !</translation>
    </message>
    <message>
        <source>Uwaga !</source>
        <translation>Warning !</translation>
    </message>
</context>
<context>
    <name>MeasurementStart</name>
    <message>
        <source>Nieznana. Uzyj przycisku [Pokaż pomiary].</source>
        <translation>Unknown. Use the button [Show measurements].</translation>
    </message>
    <message>
        <source>Nieznana. Użyj przycisku [Pokaż pomiary].</source>
        <translation>Unknown. Use the button [Show measurements].</translation>
    </message>
</context>
<context>
    <name>MemoryDownload</name>
    <message>
        <source>Czytane pomiary z bloku nr. </source>
        <translation>Reading the measurements of block no. </translation>
    </message>
    <message>
        <source>Błąd, powtórz=</source>
        <translation>Error, retry=</translation>
    </message>
    <message>
        <source>Przerwana transmisja!</source>
        <translation>Transfer broken!</translation>
    </message>
    <message>
        <source>Przerwano transmije.</source>
        <translation>Transfer aborted.</translation>
    </message>
    <message>
        <source>Czytam pamięć</source>
        <translation>Reading memory</translation>
    </message>
    <message>
        <source>Brak miejsca na dysku,
<byte value="xd"/>Uszkodzony plik,
<byte value="xd"/>Nieprawidłowe zamknięcie</source>
        <translation>No space left on the disk,
<byte value="xd"/>Damaged file,
<byte value="xd"/>Improper shutdown</translation>
    </message>
    <message>
        <source>Błąd otwarcia pliku</source>
        <translation>Error opening the file</translation>
    </message>
    <message>
        <source>Wybranie klawisza OK usunie wszystkie pomiary z rejestratora!</source>
        <translation>Choosing OK erases every measurement from the recorder!</translation>
    </message>
    <message>
        <source>Rejestrator nie przestaje nadawać: przerwano po %1 znakach</source>
        <translation>The recorder does not stop sending: stopped after %1 characters</translation>
    </message>
    <message>
        <source>Nie wysłano polecenia odczytu bloku</source>
        <translation>The block read command was not sent</translation>
    </message>
    <message>
        <source>Blok nr %1 już zapisany: %2</source>
        <translation>Block no. %1 already stored: %2</translation>
    </message>
    <message>
        <source>zapis nie powiódł się</source>
        <translation>the write failed</translation>
    </message>
    <message>
        <source>Nie zapisano spisu bloków %1: %2</source>
        <translation>The block index %1 was not written: %2</translation>
    </message>
    <message>
        <source>Brak pomiarów do przeczytania</source>
        <translation>No measurements to read</translation>
    </message>
    <message>
        <source>Błędny typ czytanego rekordu</source>
        <translation>Wrong type of the record read</translation>
    </message>
</context>
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
    <name>MessageCaptions</name>
    <message>
        <source>Błąd...</source>
        <translation>Error...</translation>
    </message>
    <message>
        <source>Uwaga!</source>
        <translation>Warning!</translation>
    </message>
</context>
<context>
    <name>Monitoring</name>
    <message>
        <source>Brak komunikacji z systemem,
<byte value="xd"/>Sprawdź połączenia?,
<byte value="xd"/>Sprawdź zasilanie?</source>
        <translation>No communication with the system,
<byte value="xd"/>Check the connections?,
<byte value="xd"/>Check the power supply?</translation>
    </message>
</context>
<context>
    <name>RangeNotes</name>
    <message>
        <source>%1: %2 jest poza zakresem %3–%4; zostanie użyta wartość %5.</source>
        <translation>%1: %2 is outside the range %3–%4; %5 will be used.</translation>
    </message>
</context>
<context>
    <name>Reporter</name>
    <message>
        <source>Polączony</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>Rozlączony</source>
        <translation>Disconnected</translation>
    </message>
</context>
<context>
    <name>SafeFiles</name>
    <message>
        <source>%1 nie jest zwykłym plikiem</source>
        <translation>%1 is not a regular file</translation>
    </message>
    <message>
        <source>plik nie jest otwarty</source>
        <translation>not open</translation>
    </message>
    <message>
        <source>zapis porzucony</source>
        <translation>abandoned</translation>
    </message>
</context>
<context>
    <name>SerialLinkTexts</name>
    <message>
        <source>nieprawidłowe parametry linii &apos;%1&apos;</source>
        <translation>invalid line parameters &apos;%1&apos;</translation>
    </message>
    <message>
        <source>port niedostępny</source>
        <translation>port unavailable</translation>
    </message>
    <message>
        <source>Nie można otworzyć portu %1: %2</source>
        <translation>Cannot open port %1: %2</translation>
    </message>
    <message>
        <source>Odpowiedź rejestratora na porcie %1 jest zniekształcona</source>
        <translation>The recorder&apos;s reply on port %1 is garbled</translation>
    </message>
    <message>
        <source>Odpowiedź rejestratora na porcie %1 jest niepełna</source>
        <translation>The recorder&apos;s reply on port %1 is incomplete</translation>
    </message>
    <message>
        <source>Rejestrator nie odpowiada na porcie %1</source>
        <translation>The recorder does not answer on port %1</translation>
    </message>
</context>
<context>
    <name>SerialTransport</name>
    <message>
        <source>Port %1 jest używany przez inny program</source>
        <translation>Port %1 is used by another program</translation>
    </message>
</context>
<context>
    <name>SettingsCommand</name>
    <message>
        <source>Liczba próbek</source>
        <translation>Sample count</translation>
    </message>
    <message>
        <source>Kanały od 1 do</source>
        <translation>Channels 1 to</translation>
    </message>
    <message>
        <source>Stała S_B</source>
        <translation>Constant S_B</translation>
    </message>
    <message>
        <source>Stała S_C</source>
        <translation>Constant S_C</translation>
    </message>
    <message>
        <source>Parametry com:</source>
        <translation>Port parameters:</translation>
    </message>
    <message>
        <source>Kanał 1 nie ma jeszcze stałej S_B (S_B = 0), więc poziomów Start/Stop ani stałych S_B/S_C nie można wysłać.
Ustaw stałe kanału 1 kalibracją (&quot;Kalibracja&quot;) albo w oknie &quot;Zaawansowane&quot; tego okna; nic nie zostało wysłane.</source>
        <translation>Channel 1 has no S_B constant yet (S_B = 0), so neither the Start/Stop levels nor the S_B/S_C constants can be sent.
Set channel 1&apos;s constants by calibration (&quot;Calibration&quot;) or in the &quot;Advanced&quot; window of this dialog; nothing was sent.</translation>
    </message>
    <message>
        <source>Plik &quot;%1&quot; ma %2 bajtów; program ustawień ma dokładnie %3 bajtów.</source>
        <translation>The file &quot;%1&quot; is %2 bytes; a settings program is exactly %3 bytes.</translation>
    </message>
    <message>
        <source>Nie można odczytać pliku &quot;%1&quot;.</source>
        <translation>The file &quot;%1&quot; cannot be read.</translation>
    </message>
    <message>
        <source>
Bieżące ustawienia pozostają bez zmian.</source>
        <translation>
The current settings stay unchanged.</translation>
    </message>
    <message>
        <source>Pliki  *.roln (*.roln);;Wszystkie pliki *.* (*)</source>
        <translation>Files  *.roln (*.roln);;All files *.* (*)</translation>
    </message>
    <message>
        <source>Zapisz bieżące ustawienia jako..</source>
        <translation>Save the current settings as..</translation>
    </message>
    <message>
        <source>Czytaj nowe ustawienia</source>
        <translation>Read new settings</translation>
    </message>
</context>
<context>
    <name>SettingsFields</name>
    <message>
        <source>poza zakresem</source>
        <translation>out of range</translation>
    </message>
    <message>
        <source>to nie jest liczba</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>to nie jest liczba skończona</source>
        <translation>not a finite number</translation>
    </message>
    <message>
        <source>oczekiwano liczby całkowitej, -2147483648..2147483647</source>
        <translation>integer expected, -2147483648..2147483647</translation>
    </message>
    <message>
        <source>oczekiwano liczby całkowitej bez znaku, 0..4294967295</source>
        <translation>unsigned integer expected, 0..4294967295</translation>
    </message>
    <message>
        <source>oczekiwano bajtu, 0..255</source>
        <translation>byte expected, 0..255</translation>
    </message>
    <message>
        <source>oczekiwano liczby dziesiętnej z &apos;.&apos;</source>
        <translation>a decimal number with &apos;.&apos; expected</translation>
    </message>
    <message>
        <source>tekst ma znaki, których Windows-1250 nie zapisze</source>
        <translation>text has characters that Windows-1250 cannot hold</translation>
    </message>
    <message>
        <source>tekst zawiera znak NUL</source>
        <translation>text contains a NUL character</translation>
    </message>
    <message>
        <source>tekst za długi: %1 znaków, najwyżej %2</source>
        <translation>text too long: %1 characters, at most %2</translation>
    </message>
</context>
<context>
    <name>SettingsFiles</name>
    <message>
        <source>nie istnieje</source>
        <translation>does not exist</translation>
    </message>
    <message>
        <source>nie jest zwykłym plikiem</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>nie daje się otworzyć: %1</source>
        <translation>cannot be opened: %1</translation>
    </message>
    <message>
        <source>ma %1 bajtów, a nie %2</source>
        <translation>is %1 bytes, not %2</translation>
    </message>
    <message>
        <source>nie daje się odczytać: %1</source>
        <translation>cannot be read: %1</translation>
    </message>
    <message>
        <source>Plik %1 jest używany przez inny program</source>
        <translation>The file %1 is used by another program</translation>
    </message>
    <message>
        <source>%1 %2; plik nie został zmieniony</source>
        <translation>%1 %2; the file was not changed</translation>
    </message>
    <message>
        <source>Ustawiono domyślne parametry</source>
        <translation>Default parameters set</translation>
    </message>
    <message>
        <source>Parametry ustawione z pliku</source>
        <translation>Parameters set from file</translation>
    </message>
    <message>
        <source>Brak miejsca na dysku,
Uszkodzony plik,
Nieprawidłowe zamknięcie</source>
        <translation>No space left on the disk,
Damaged file,
Improper shutdown</translation>
    </message>
</context>
<context>
    <name>SystemScan</name>
    <message>
        <source>Opcja &apos;Triger&apos; - włączone wyzwalanie</source>
        <translation>Option &apos;Trigger&apos; - triggering on</translation>
    </message>
    <message>
        <source>Opcja &apos;Normal&apos; - wyłączone wyzwalanie</source>
        <translation>Option &apos;Normal&apos; - triggering off</translation>
    </message>
    <message>
        <source>System typ. %1</source>
        <translation>System type %1</translation>
    </message>
    <message>
        <source>Nieznany system lub niewyzerowany </source>
        <translation>Unknown system or not reset </translation>
    </message>
    <message>
        <source>Wolna pamięć - %1 pomiarów na wszystkich kanałach.</source>
        <translation>Free memory - %1 samples on all channels.</translation>
    </message>
    <message>
        <source>Ilość zapisanych bloków - %1 .</source>
        <translation>Stored blocks - %1 .</translation>
    </message>
    <message>
        <source>Ilość kanałów - %1 .</source>
        <translation>Channels - %1 .</translation>
    </message>
    <message>
        <source>Ustawiony czas próbkowania - %1 .</source>
        <translation>Sampling time set - %1 .</translation>
    </message>
    <message>
        <source>Ustawiona ilość pomiarów - %1 .</source>
        <translation>Sample count set - %1 .</translation>
    </message>
    <message>
        <source>Zegar systemu - %1  %2 .</source>
        <translation>System clock - %1  %2 .</translation>
    </message>
    <message>
        <source>          Parametry wyzwalania (kanał 1)</source>
        <translation>          Trigger parameters (channel 1)</translation>
    </message>
    <message>
        <source>Amplituda START - %1 .</source>
        <translation>START amplitude - %1 .</translation>
    </message>
    <message>
        <source>Amplituda STOP - %1 .</source>
        <translation>STOP amplitude - %1 .</translation>
    </message>
    <message>
        <source>Stała nachylenia S_B = %1 .</source>
        <translation>Slope constant S_B = %1 .</translation>
    </message>
    <message>
        <source>Stała przesunięcia S_C = %1 .</source>
        <translation>Offset constant S_C = %1 .</translation>
    </message>
    <message>
        <source>Uwaga! Sprawdź zgodność ze stałymi kalibracji wciśnij:[Stałe kalibracji]</source>
        <translation>Warning! Check against the calibration constants, press:[Calibration constants]</translation>
    </message>
    <message>
        <source>Rejestr systemu - %1 .</source>
        <translation>System register - %1 .</translation>
    </message>
    <message>
        <source>Numer Data       Godzina  Ilość    Czas pró- Ilość </source>
        <translation>Block Date       Time     Sample   Sampling  Chan. </translation>
    </message>
    <message>
        <source>bloku pomiaru    pomiaru  pomiarów bkowania  kanałów </source>
        <translation>no.                        count    time      count   </translation>
    </message>
    <message>
        <source> Nr:  Data       Godz.     Ilość   Prób.[ms]  Kanały </source>
        <translation> No:  Date       Time      Samples Samp.[ms]  Chans. </translation>
    </message>
    <message>
        <source>Brak komunikacji</source>
        <translation>No communication</translation>
    </message>
</context>
<context>
    <name>UserParameters</name>
    <message>
        <source>%1 (pominięto %2 wierszy)</source>
        <translation>%1 (%2 lines skipped)</translation>
    </message>
</context>
<context>
    <name>VordaCli</name>
    <message>
        <source>
vorda-cli: nie podano wartości; nic nie zapisano
</source>
        <translation>
vorda-cli: no value given; nothing stored
</translation>
    </message>
    <message>
        <source>vorda-cli calibrate: --format przyjmuje 0, 1, 2 albo 3
</source>
        <translation>vorda-cli calibrate: --format takes 0, 1, 2 or 3
</translation>
    </message>
    <message>
        <source>vorda-cli calibrate: oczekiwano KANAŁU (1-16) i NAZWY
</source>
        <translation>vorda-cli calibrate: CHANNEL (1-16) and NAME expected
</translation>
    </message>
    <message>
        <source>vorda-cli calibrate: NAZWA musi mieć 1-19 znaków z Windows-1250
</source>
        <translation>vorda-cli calibrate: NAME must be 1-19 characters of Windows-1250
</translation>
    </message>
    <message>
        <source>vorda-cli zero: oczekiwano jednego KANAŁU (1-16)
</source>
        <translation>vorda-cli zero: one CHANNEL (1-16) expected
</translation>
    </message>
    <message>
        <source>KANAŁ NAZWA [--format N]</source>
        <translation>CHANNEL NAME [--format N]</translation>
    </message>
    <message>
        <source>dwupunktowa kalibracja czujnika jednego kanału</source>
        <translation>two-point calibration of one channel&apos;s sensor</translation>
    </message>
    <message>
        <source>  Czyta rejestr 0, potem pyta &quot;Wartość punktu 1: &quot; i czyta wartość pierwszego
  punktu ze standardowego wejścia (&quot;100.5&quot; albo &quot;100,5&quot;; wszystko inne jest
  odrzucane), bierze uśredniony surowy kod kanału, pyta &quot;Wartość kalibrująca: &quot;
  o drugą wartość i bierze drugi kod. S_B i S_C są obliczane z dwóch punktów
  i zapisywane razem z punktami, NAZWĄ i formatem liczb N (0-3 miejsca po
  przecinku; domyślnie: jak zapisano) do dimconfig.aoln; po zapisie do
  Config/historia_kalibracji.csv dochodzi wiersz. Wypisuje &quot;S_B / S_C&quot;. Kończy się
  kodem 1 bez zapisywania czegokolwiek, gdy rejestrator nie odpowiada, wartość nie
  jest liczbą, wejście kończy się przed wartością albo dwa kody różnią się o mniej
  niż 10.

  Przykład: printf &apos;0.0\n100.0\n&apos; | vorda-cli calibrate 3 Pt100 --format 1</source>
        <translation>  Reads register 0, then prompts &quot;Point 1 value: &quot; and reads the first
  point&apos;s value from standard input (&quot;100.5&quot; or &quot;100,5&quot;; anything else is
  refused), takes the channel&apos;s averaged raw code, prompts &quot;Calibration value: &quot;
  for the second value and takes the second code. S_B and S_C are computed from
  the two points and stored with the points, NAME and the number format N (0-3
  decimals; default: as stored) into dimconfig.aoln; once it is saved, a line is
  added to Config/historia_kalibracji.csv. Prints &quot;S_B / S_C&quot;. Exits 1 without
  storing anything when the recorder does not answer, a value is not a number,
  the input ends before a value, or the two codes differ by less than 10.

  Example: printf &apos;0.0\n100.0\n&apos; | vorda-cli calibrate 3 Pt100 --format 1</translation>
    </message>
    <message>
        <source>KANAŁ</source>
        <translation>CHANNEL</translation>
    </message>
    <message>
        <source>jednopunktowe zerowanie: nowe S_C przez jeden punkt, S_B bez zmian</source>
        <translation>one-point zeroing: a new S_C through one point, S_B kept</translation>
    </message>
    <message>
        <source>  Czyta rejestr 0, pyta &quot;Wartość punktu 1: &quot;, czyta wartość ze standardowego
  wejścia i bierze uśredniony surowy kod kanału; S_C staje się przesunięciem
  niezmienionego S_B przez ten punkt. Kanał zachowuje zapisaną nazwę (musi ją
  mieć) i format. Zapisuje do dimconfig.aoln, potem dodaje wiersz historii
  i wypisuje &quot;S_B/S_C&quot;. Kończy się kodem 1 bez zapisu, gdy nie ma odpowiedzi
  albo wartości.</source>
        <translation>  Reads register 0, prompts &quot;Point 1 value: &quot;, reads the value from standard
  input and takes the channel&apos;s averaged raw code; S_C becomes the offset of the
  unchanged S_B through that point. The channel keeps its stored name (it must
  have one) and format. Stores into dimconfig.aoln, then adds a history line, and
  prints &quot;S_B/S_C&quot;. Exits 1 without storing when there is no answer or no value.</translation>
    </message>
    <message>
        <source>%1: %2 wymaga wartości
</source>
        <translation>%1: %2 needs a value
</translation>
    </message>
    <message>
        <source>vorda-cli %1: błędne argumenty; zobacz `vorda-cli %1 --help`
</source>
        <translation>vorda-cli %1: wrong arguments; see `vorda-cli %1 --help`
</translation>
    </message>
    <message>
        <source>Pomiar rozpoczęty; zakończy się za około %1 s
</source>
        <translation>Measurement started; it ends in about %1 s
</translation>
    </message>
    <message>
        <source>vorda-cli config show: najwyżej jeden PLIK
</source>
        <translation>vorda-cli config show: one FILE at most
</translation>
    </message>
    <message>
        <source># ustawienia z pliku %1
</source>
        <translation># settings from %1
</translation>
    </message>
    <message>
        <source># obowiązują ustawienia domyślne: brak pliku %1, a %2 %3
</source>
        <translation># defaults apply: no %1, and %2 %3
</translation>
    </message>
    <message>
        <source># obowiązują ustawienia domyślne: %1 %2
</source>
        <translation># defaults apply: %1 %2
</translation>
    </message>
    <message>
        <source>vorda-cli config set: oczekiwano PLIKU i co najmniej jednego POLE=WARTOŚĆ
</source>
        <translation>vorda-cli config set: FILE and at least one FIELD=VALUE expected
</translation>
    </message>
    <message>
        <source>oczekiwano POLE=WARTOŚĆ</source>
        <translation>FIELD=VALUE expected</translation>
    </message>
    <message>
        <source>nie ma takiego pola (wymienia je `vorda-cli config show`)</source>
        <translation>no such field (`vorda-cli config show` lists them)</translation>
    </message>
    <message>
        <source>vorda-cli config set: %1: %2; plik %3 pozostaje bez zmian
</source>
        <translation>vorda-cli config set: %1: %2; %3 left unchanged
</translation>
    </message>
    <message>
        <source>vorda-cli config: oczekiwano `show` albo `set` (vorda-cli config --help)
</source>
        <translation>vorda-cli config: `show` or `set` expected (vorda-cli config --help)
</translation>
    </message>
    <message>
        <source>show [PLIK] | set PLIK POLE=WARTOŚĆ...</source>
        <translation>show [FILE] | set FILE FIELD=VALUE...</translation>
    </message>
    <message>
        <source>pokaż albo zmień nazwane pola rekordu ustawień</source>
        <translation>list or change the named fields of a settings record</translation>
    </message>
    <message>
        <source>config show [PLIK]
  Wypisuje każde nazwane pole rekordu ustawień (2200-bajtowego dimconfig.aoln,
  Factoryseting.aoln albo *.roln), po jednym wierszu `nazwa=wartość`, w kolejności
  rekordu. Pola kanałów nazywają się channels[C].name dla C = 1..16, pola stanu
  status.tag. Teksty są dekodowane z Windows-1250 (znaki sterujące jako \xHH);
  liczby całkowite i znaczniki dziesiętnie, jak zapisane; liczby double jako %.17g.
  Bajty zarezerwowane i wypełnienia nie są pokazywane. Po polach wiersz
  zaczynający się od &quot;#&quot; wymienia każdy kanał do channelsUsed bez nazwy, który
  przez to nie trafia do plików pomiarowych.
  Bez PLIKU wypisuje rekord, z którym program wystartowałby w katalogu bieżącym;
  pierwszy wiersz podaje plik, z którego pochodzi, albo mówi, że obowiązują
  ustawienia domyślne, i dlaczego.

config set PLIK POLE=WARTOŚĆ...
  Zmienia nazwane pola PLIKU i zapisuje go atomowo; każdy inny bajt pozostaje
  bez zmian. Brakujący PLIK powstaje z ustawień startowych (katalogiem danych
  jest katalog bieżący).
  Nieznane pola, teksty za długie dla swojego pola albo niezapisywalne
  w Windows-1250 oraz wartości, które nie są liczbami lub wykraczają poza zakres
  swojego typu, są odrzucane z kodem wyjścia 2, a PLIK pozostaje nietknięty.
  Liczby double mają &apos;.&apos; jako separator dziesiętny.
  Przykład: vorda-cli config set dimconfig.aoln channelsUsed=8 &apos;channels[1].name=Pt1000&apos;

Kod wyjścia: 0 wykonano, 1 nie można było odczytać lub zapisać pliku, 2 odmowa.</source>
        <translation>config show [FILE]
  Lists every named field of a settings record (a 2200-byte dimconfig.aoln,
  Factoryseting.aoln or *.roln), one `name=value` line each, in record order.
  Channel fields are named channels[C].name for C = 1..16, status fields
  status.tag. Texts are decoded from Windows-1250 (control characters shown as
  \xHH); integers and flags in decimal as stored; doubles as %.17g. Reserved
  and padding bytes are not shown. After the fields, a line starting with &quot;#&quot;
  names each channel up to channelsUsed that has no name, which leaves it out of
  the measurement files.
  Without FILE, lists the record the program would start with in the current
  directory; the first line names the file it came from, or says the defaults
  apply and why.

config set FILE FIELD=VALUE...
  Changes the named fields of FILE and writes it back atomically; every other
  byte stays as it was. A missing FILE is created from the start-up defaults
  (the data directory being the current directory).
  Unknown fields, texts too long for their field or not writable in
  Windows-1250, and values that are not numbers or out of their type&apos;s range
  are refused with exit status 2, leaving FILE untouched. Doubles take &apos;.&apos; as
  the decimal point.
  Example: vorda-cli config set dimconfig.aoln channelsUsed=8 &apos;channels[1].name=Pt1000&apos;

Exit status: 0 done, 1 the file could not be read or written, 2 refused.</translation>
    </message>
    <message>
        <source> [t/N] </source>
        <translation> [y/N] </translation>
    </message>
    <message>
        <source>blok %1 [%2] %3 / %4 B</source>
        <translation>block %1 [%2] %3 / %4 B</translation>
    </message>
    <message>
        <source>blok %1: %2 B</source>
        <translation>block %1: %2 B</translation>
    </message>
    <message>
        <source>vorda-cli %1: blok %2: %3
</source>
        <translation>vorda-cli %1: block %2: %3
</translation>
    </message>
    <message>
        <source>vorda-cli read: przerwano, zanim przeczytano wszystkie bloki
</source>
        <translation>vorda-cli read: aborted before every block was read
</translation>
    </message>
    <message>
        <source>vorda-cli read-block: bloku %1 nie ma w pamięci rejestratora (%2)
</source>
        <translation>vorda-cli read-block: block %1 is not stored in the recorder (%2)
</translation>
    </message>
    <message>
        <source>nie ma takiego bloku</source>
        <translation>no such block</translation>
    </message>
    <message>
        <source>vorda-cli wipe: odmowa, bo nie ma terminala do potwierdzenia; dodaj --yes
</source>
        <translation>vorda-cli wipe: refused without a terminal to confirm on; add --yes
</translation>
    </message>
    <message>
        <source>vorda-cli wipe: nic nie wysłano
</source>
        <translation>vorda-cli wipe: nothing sent
</translation>
    </message>
    <message>
        <source>pokaż stan rejestratora i zapisane w nim bloki</source>
        <translation>report the recorder&apos;s state and its stored blocks</translation>
    </message>
    <message>
        <source>Czyta rejestr 0 i rejestr każdego bloku, wypisuje raport stanu i wiersze
bloków. Z --newest czyta tylko rejestr 0 i rejestr najnowszego bloku i wypisuje
wiersz tego bloku. Kod wyjścia 1, gdy rejestrator nie odpowiada
(&quot;Brak komunikacji&quot;).</source>
        <translation>Reads register 0 and every block register and prints the status report and the
block lines. With --newest, reads register 0 and the newest block&apos;s register only
and prints that block&apos;s line. Exit status 1 when the recorder does not answer
(&quot;No communication&quot;).</translation>
    </message>
    <message>
        <source>przeczytaj wszystkie zapisane bloki (albo tylko nowe) do plików pomiarowych</source>
        <translation>read every stored block (or only the new ones) into measurement files</translation>
    </message>
    <message>
        <source>Czyta pamięć rejestratora blok po bloku do &quot;__m.mem&quot; w katalogu bieżącym
i zamienia każdy blok na plik pomiarowy w katalogu danych, wypisując komunikaty
transmisji na bieżąco. Na terminalu standardowe wyjście błędów pokazuje bajty
odebrane z bieżącego bloku. Ctrl+C przerywa transmisję jak przycisk przerwania
(drugie Ctrl+C od razu kończy program). Rejestrator, który nadaje daleko poza
zapowiedzianą długość bloku, jest zatrzymywany jak przy przerwaniu.
Blok, który nie dotarł cały i czysty, zostaje zapisany jako NAZWA_niepelny.txt
(nigdy na istniejący plik), tylko z pomiarami sprzed pierwszego uszkodzenia.
Wiersz końcowy liczy całe bloki i wymienia bloki niepełne i niezapisane.
Brak katalogu danych jest odrzucany, zanim cokolwiek zostanie przeczytane.
Plik, który nie jest plikiem zapisywanego bloku (zob. `blocks`), nigdy nie jest
zastępowany: blok trafia obok jako NAZWA_2.txt. Z --new blok już zapisany jest
podawany ze swoim plikiem i nie jest czytany; wiersz końcowy mówi, ile pominięto.
Kod wyjścia 0, gdy każdy blok do przeczytania stał się całym plikiem
pomiarowym (albo żaden nie jest zapisany), w przeciwnym razie 1; każdy blok,
któremu się to nie udało, jest wymieniony na standardowym wyjściu błędów
z przyczyną (zrzut za krótki, za długi lub uszkodzony, plik, którego nie można
było zapisać, ...).</source>
        <translation>Reads the recorder&apos;s memory block by block into &quot;__m.mem&quot; in the current
directory and converts each block into a measurement file in the data directory,
printing the transfer messages as they come. On a terminal, standard error shows
the bytes received of the current block. Ctrl+C aborts the transfer as the abort
button does (a second Ctrl+C ends the program at once). A recorder that keeps
sending far past the block&apos;s announced size is stopped as an abort would.
A block that did not arrive whole and clean is written as NAME_niepelny.txt
(never over an existing file), with the samples before the first damage only.
The closing line counts the whole blocks and names the incomplete and the
unwritten ones. A missing data directory is refused before anything is read.
A file that is not home for the block being written (see `blocks`) is never
replaced: the block goes beside it as NAME_2.txt. With --new, a block already
home is named with its file and not read; the closing line says how many
were skipped.
Exit status 0 when every block that was to be read became a whole measurement
file (or none is stored), 1 otherwise; each block that did not is named on
standard error with the reason (a short, overlong or corrupted dump, a file
that could not be written, ...).</translation>
    </message>
    <message>
        <source>wypisz zapisane bloki i czy każdy jest już w katalogu danych</source>
        <translation>list the stored blocks and whether each is home in the data directory</translation>
    </message>
    <message>
        <source>Czyta rejestr 0 i rejestr każdego bloku i wypisuje jeden wiersz na blok, pola
rozdzielone tabulatorem: numer, data, godzina, liczba pomiarów, nazwa pliku
oraz &quot;home&quot;, gdy katalog danych zawiera plik bloku w postaci przeczytanej
(wpisany do &quot;vorda_bloki.idx&quot; z długością i sumą kontrolną albo plik spoza spisu
pod swoją nazwą z jednym wierszem danych na pomiar), inaczej &quot;new&quot;. Kod wyjścia 1,
gdy rejestrator nie odpowiada.</source>
        <translation>Reads register 0 and every block&apos;s register and prints one tab-separated line a
block: number, date, time, sample count, file name, and &quot;home&quot; when the data
directory holds the block&apos;s file as read (listed in &quot;vorda_bloki.idx&quot; with its
size and checksum, or an unlisted file under its name with one data line a
sample), else &quot;new&quot;. Exit status 1 when the recorder does not answer.</translation>
    </message>
    <message>
        <source>przeczytaj blok N do pliku pomiarowego</source>
        <translation>read block N into a measurement file</translation>
    </message>
    <message>
        <source>Czyta rejestr N (z powtórzeniami jak `read` przy rejestrze bloku), potem pobiera
blok N do &quot;__m.mem&quot; i zamienia go na plik pomiarowy. Kod wyjścia 1, gdy bloku nie
ma w pamięci, nie dało się go przeczytać albo nie stał się całym, czystym plikiem
pomiarowym (przyczyna na standardowym wyjściu błędów).</source>
        <translation>Reads register N (retried as `read` retries a block&apos;s register), then downloads
block N into &quot;__m.mem&quot; and converts it into a measurement file. Exit status 1
when the block is not stored, could not be read, or did not become a whole,
clean measurement file (the reason on standard error).</translation>
    </message>
    <message>
        <source>usuń wszystkie bloki zapisane w rejestratorze</source>
        <translation>erase every block stored in the recorder</translation>
    </message>
    <message>
        <source>Wysyła &quot;CLR_M &amp;&quot; po potwierdzeniu na terminalu; --yes pomija pytanie.
Bez terminala i bez --yes nic nie jest wysyłane (kod wyjścia 2).</source>
        <translation>Sends &quot;CLR_M &amp;&quot; after asking for confirmation on the terminal; --yes skips the
question. Without a terminal and without --yes nothing is sent (exit status 2).</translation>
    </message>
    <message>
        <source>rozpocznij pomiar z parametrami ustawionymi w rejestratorze</source>
        <translation>start a measurement with the parameters set in the recorder</translation>
    </message>
    <message>
        <source>Wysyła &quot;  START &amp;&quot;; pomiar trwa mniej więcej czas próbkowania razy liczbę
pomiarów z ustawień.</source>
        <translation>Sends &quot;  START &amp;&quot;; the measurement runs for about the sampling time times the
sample count of the settings.</translation>
    </message>
    <message>
        <source>zatrzymaj trwający pomiar</source>
        <translation>stop the running measurement</translation>
    </message>
    <message>
        <source>Wysyła &quot;$ $_END &amp;&quot;, a potem &quot; &amp;&quot;.</source>
        <translation>Sends &quot;$ $_END &amp;&quot; and then &quot; &amp;&quot;.</translation>
    </message>
    <message>
        <source>vorda-cli convert: najwyżej jeden zrzut; zobacz `vorda-cli convert --help`
</source>
        <translation>vorda-cli convert: one dump at most, see `vorda-cli convert --help`
</translation>
    </message>
    <message>
        <source>[ZRZUT]</source>
        <translation>[DUMP]</translation>
    </message>
    <message>
        <source>zamień zrzut pamięci na plik pomiarowy</source>
        <translation>convert a memory dump into a measurement file</translation>
    </message>
    <message>
        <source>Zamienia ZRZUT (domyślnie &quot;__m.mem&quot; w katalogu bieżącym) na jeden plik
pomiarowy w katalogu danych, z ustawieniami, które program wczytałby tutaj
(&quot;dimconfig.aoln&quot;, inaczej &quot;Factoryseting.aoln&quot;, inaczej domyślne): nazwy
kanałów, formaty i stałe, pierwsza kolumna, parametry wykresu i bit wyzwalania
z ostatniej odpowiedzi rejestru. Wypisuje wpis raportu i ścieżkę zapisanego
pliku. Nic nie jest zapisywane do konfiguracji.

Kod wyjścia: 0, gdy plik zapisano z pełnego zrzutu; 1, gdy zrzutu brakuje lub
jest nieprawidłowy, pliku nie można zapisać albo zrzut był krótszy lub dłuższy,
niż zapowiada jego nagłówek, lub zawiera znaki niebędące danymi pomiarów (plik
jest zapisywany, tylko z całymi pomiarami); 2 przy błędnych argumentach.</source>
        <translation>Converts DUMP (default &quot;__m.mem&quot; in the current directory) into one measurement
file in the data directory, with the settings the program would load here
(&quot;dimconfig.aoln&quot;, else &quot;Factoryseting.aoln&quot;, else the defaults): channel
names, formats and constants, the first column, the chart parameters and the
trigger bit of the last register reply. Prints the report entry and the path of
the file written. Nothing is written to the configuration.

Exit status: 0 when the file was written from a complete dump; 1 when the dump
is missing or invalid, the file cannot be written, or the dump was shorter or
longer than its header announces or holds characters that are no sample data
(the file is written, with the whole samples only); 2 for bad arguments.</translation>
    </message>
    <message>
        <source>vorda-cli register: oczekiwano jednego numeru rejestru N &gt;= 0
</source>
        <translation>vorda-cli register: one register number N &gt;= 0 expected
</translation>
    </message>
    <message>
        <source>vorda-cli data: jedynym argumentem jest --averaged
</source>
        <translation>vorda-cli data: the only argument is --averaged
</translation>
    </message>
    <message>
        <source>vorda-cli send: oczekiwano jednego TEKSTU polecenia
</source>
        <translation>vorda-cli send: one command TEXT expected
</translation>
    </message>
    <message>
        <source>vorda-cli send: tekst ma znaki spoza Windows-1250
</source>
        <translation>vorda-cli send: the text has characters outside Windows-1250
</translation>
    </message>
    <message>
        <source>vorda-cli send: polecenie ma najwyżej %1 bajtów
</source>
        <translation>vorda-cli send: a command holds at most %1 bytes
</translation>
    </message>
    <message>
        <source>vorda-cli send: nie wysłano (%1)
</source>
        <translation>vorda-cli send: not sent (%1)
</translation>
    </message>
    <message>
        <source>przeczytaj rejestr N rejestratora i pokaż odczytany stan</source>
        <translation>read register N of the recorder and show the parsed status</translation>
    </message>
    <message>
        <source>  Wysyła &quot; ?R_N &amp;&quot; i wypisuje odpowiedź, a potem wypełnione nią pola jako wiersze
  `status.NAZWA=wartość` (nazwy z `config show`), status.triggerOn, optionWord,
  freeMemory, a dla rejestru 0 także expectedSamples. Rejestr 0 opisuje
  rejestrator i jego ustawione parametry, rejestr N &gt;= 1 nagłówek zapisanego
  bloku N. Kończy się kodem 1 z &quot;Brak komunikacji&quot; i przyczyną, gdy nie przyszła
  cała odpowiedź (cisza, zakłócenia albo mniej niż 14 pól); nic nie jest wtedy
  wypisywane.

  Przykład: vorda-cli --port /tmp/ttyREC register 0</source>
        <translation>  Sends &quot; ?R_N &amp;&quot; and prints the reply, then the fields it filled as
  `status.NAME=value` lines (the names of `config show`), status.triggerOn,
  optionWord, freeMemory and, for register 0, expectedSamples. Register 0
  describes the recorder and its set parameters; register N &gt;= 1 the header of
  stored block N. Exits 1 with &quot;No communication&quot; and the reason when no whole
  reply came (silence, noise, or fewer than its 14 fields); nothing is shown then.

  Example: vorda-cli --port /tmp/ttyREC register 0</translation>
    </message>
    <message>
        <source>przeczytaj bieżącą surową wartość szesnastu kanałów</source>
        <translation>read the current raw value of the sixteen channels</translation>
    </message>
    <message>
        <source>  Wysyła &quot; ?DAT &amp;&quot; i wypisuje surowe kody kanałów 1-16 w jednym wierszu,
  rozdzielone odstępami. Z --averaged czyta pięć razy i wypisuje dla używanych
  kanałów (channelsUsed) średnią trzech środkowych odczytów; pozostałe kanały
  pokazują 0. Kończy się kodem 1 z &quot;Brak komunikacji&quot; i przyczyną, gdy
  odpowiedzi zabrakło albo miała mniej niż szesnaście wartości.</source>
        <translation>  Sends &quot; ?DAT &amp;&quot; and prints the raw codes of channels 1-16 on one line,
  separated by blanks. With --averaged it reads five times and prints, for the
  channels in use (channelsUsed), the mean of the middle three readings; the
  other channels show 0. Exits 1 with &quot;No communication&quot; and the reason when a
  reply was missing or held fewer than sixteen values.</translation>
    </message>
    <message>
        <source>TEKST</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>wyślij jedno polecenie do rejestratora, dokładnie tak, jak podano</source>
        <translation>send one command to the recorder, exactly as given</translation>
    </message>
    <message>
        <source>  Wysyła TEKST bajt po bajcie (Windows-1250), bez dodanego zakończenia, i nic
  nie czyta: rejestrator nie potwierdza poleceń. Kończy się kodem 1 tylko wtedy,
  gdy nie można było użyć portu.

  Przykłady: vorda-cli send &apos;CLR_M &amp;&apos;      (usuń wszystkie zapisane bloki)
             vorda-cli send &apos;  START &amp;&apos;    (rozpocznij pomiar)</source>
        <translation>  Sends TEXT byte for byte (Windows-1250), with no terminator added, and reads
  nothing: the recorder does not acknowledge commands. Exits 1 only when the
  port could not be used.

  Examples: vorda-cli send &apos;CLR_M &amp;&apos;      (erase every stored block)
            vorda-cli send &apos;  START &amp;&apos;    (start a measurement)</translation>
    </message>
    <message>
        <source>Użycie: vorda-cli [--port URZĄDZENIE] POLECENIE [ARGUMENTY]
Katalog bieżący jest katalogiem startowym programu.

Opcje:
  --port URZĄDZENIE  użyj tego portu szeregowego zamiast ustawionego
  --help             pokaż ten tekst; `vorda-cli POLECENIE --help` dla jednego polecenia

Polecenia:
</source>
        <translation>Usage: vorda-cli [--port DEVICE] COMMAND [ARGUMENTS]
Runs in the current directory as the start-up directory.

Options:
  --port DEVICE  use this serial device instead of the configured port
  --help         show this text; `vorda-cli COMMAND --help` for one command

Commands:
</translation>
    </message>
    <message>
        <source>vorda-cli: --port wymaga wartości (portu szeregowego, np. /dev/ttyUSB0)
</source>
        <translation>vorda-cli: --port needs a value (a serial device such as /dev/ttyUSB0)
</translation>
    </message>
    <message>
        <source>vorda-cli: nieznana opcja %1

</source>
        <translation>vorda-cli: unknown option %1

</translation>
    </message>
    <message>
        <source>Użycie: vorda-cli %1 %2

%3
</source>
        <translation>Usage: vorda-cli %1 %2

%3
</translation>
    </message>
    <message>
        <source>vorda-cli: nieznane polecenie %1

</source>
        <translation>vorda-cli: unknown command %1

</translation>
    </message>
    <message>
        <source> (odmowa: dodaj --yes)
</source>
        <translation> (refused: add --yes)
</translation>
    </message>
    <message>
        <source>vorda-cli measure stop: nie wysłano (%1)
</source>
        <translation>vorda-cli measure stop: not sent (%1)
</translation>
    </message>
    <message>
        <source>[--count N] [--output PLIK]</source>
        <translation>[--count N] [--output FILE]</translation>
    </message>
    <message>
        <source>wypisuj bieżące odczyty rejestratora co 3 sekundy</source>
        <translation>print the recorder&apos;s current readings every 3 seconds</translation>
    </message>
    <message>
        <source>Odpytuje rejestrator jak &quot;Monitorowanie.&quot; w oknie głównym: pierwszy wiersz
z jednego odczytu, potem co 3 sekundy jeden ze średniej trzech środkowych
z pięciu odczytów. Każdy wiersz (data, godzina i po jednej wartości na używany
kanał, rozdzielone tabulatorem) jest wypisywany od razu; z --output jest też
dopisywany do PLIKU z CR-LF i natychmiast zapisywany (nowy PLIK zaczyna się
wierszem nazw kanałów, dla programu prezentacji).
Kończy po N wierszach albo po Ctrl+C (kod wyjścia 0). Brak odpowiedzi:
komunikat na standardowym wyjściu błędów i kod wyjścia 1.</source>
        <translation>Polls as the main window&apos;s &quot;Monitoring.&quot; does: the first line from one reading,
then every 3 seconds one from the mean of the middle three of five readings. Each
line (date, time and one value per channel in use, tab-separated) is printed as it
comes; with --output it is also appended to FILE with CR-LF and flushed at once
(a new FILE starts with a line of the channels&apos; names, for the presenter).
Stops after N lines, or on Ctrl+C (exit status 0). No answer: the message on
standard error and exit status 1.</translation>
    </message>
    <message>
        <source>rozpocznij albo przerwij pomiar jak okno pomiarów</source>
        <translation>start or abort a measurement as the measurements window does</translation>
    </message>
    <message>
        <source>start: czyta rejestr 0, sprawdza wolną pamięć (brak: odmowa; mniej niż
pomiary razy ustawione kanały: pyta na terminalu, bez terminala odmowa, chyba
że podano --yes), potem wysyła &quot;  START &amp;&quot;. stop: wysyła &quot;$ $_END &amp;&quot;,
a potem &quot; &amp;&quot;.</source>
        <translation>start: reads register 0, checks the free memory (none: refused; less than the
samples times channels set: asks on the terminal, refused without one unless
--yes), then sends &quot;  START &amp;&quot;. stop: sends &quot;$ $_END &amp;&quot; and then &quot; &amp;&quot;.</translation>
    </message>
    <message>
        <source>vorda-cli settings: przyjmowane jest tylko --send
</source>
        <translation>vorda-cli settings: only --send is accepted
</translation>
    </message>
    <message>
        <source>vorda-cli settings: kod wyzwalania ograniczono do 4294967295
</source>
        <translation>vorda-cli settings: a trigger code was limited to 4294967295
</translation>
    </message>
    <message>
        <source>vorda-cli settings: nie wysłano (nie można było użyć %1)
</source>
        <translation>vorda-cli settings: not sent (%1 could not be used)
</translation>
    </message>
    <message>
        <source>vorda-cli preset: --list albo N (1-%1) [--channel C (1-16)]
</source>
        <translation>vorda-cli preset: --list, or N (1-%1) [--channel C (1-16)]
</translation>
    </message>
    <message>
        <source>zastosowano %1; kanał %2 pokazuje S_B %3, S_C %4, nazwę &quot;%5&quot;
</source>
        <translation>%1 applied; channel %2 shows S_B %3, S_C %4, name &quot;%5&quot;
</translation>
    </message>
    <message>
        <source>vorda-cli params: oczekiwano jednego PLIKU
</source>
        <translation>vorda-cli params: one FILE expected
</translation>
    </message>
    <message>
        <source>vorda-cli params: nie można odczytać %1
</source>
        <translation>vorda-cli params: %1 cannot be read
</translation>
    </message>
    <message>
        <source>%1
ustawione kanały: %2
pominięte wiersze: %3
</source>
        <translation>%1
channels set: %2
lines skipped: %3
</translation>
    </message>
    <message>
        <source>vorda-cli params: %1: przeczytano tylko pierwsze %2 wierszy
</source>
        <translation>vorda-cli params: %1: only the first %2 lines were read
</translation>
    </message>
    <message>
        <source>vorda-cli params: %1: wiersz %2: %3
</source>
        <translation>vorda-cli params: %1: line %2: %3
</translation>
    </message>
    <message>
        <source>vorda-cli program: save PLIK albo load PLIK
</source>
        <translation>vorda-cli program: save FILE or load FILE
</translation>
    </message>
    <message>
        <source>polecenie ustawień z &quot;Ustaw zaznaczone&quot;; z --send także wysłane</source>
        <translation>the settings command of &quot;Set selected&quot;; with --send also sent</translation>
    </message>
    <message>
        <source>Wypisuje w cudzysłowie polecenie, które &quot;Ustaw zaznaczone&quot; buduje ze znaczników
wysyłania i wartości konfiguracji, z bieżącym zegarem. Z --send jest ono także
wysyłane (na --port albo na ustawiony port), a konfiguracja jest zapisywana
tak, jak zapisuje ją okno ustawień.</source>
        <translation>Prints, between quotes, the command that &quot;Set selected&quot; builds from the
configuration&apos;s send flags and values, with the clock of now. With --send it is
also sent (on --port or the configured port) and the configuration is stored as
the dialog stores it.</translation>
    </message>
    <message>
        <source>wypisz gotowe ustawienia czujników albo zastosuj jedno do dimconfig.aoln</source>
        <translation>list the sensor presets, or apply one to dimconfig.aoln</translation>
    </message>
    <message>
        <source>--list wypisuje jedenaście gotowych ustawień z ich numerami. N stosuje ustawienie N
do dimconfig.aoln tak, jak edytor stałych po zatwierdzeniu przyciskiem OK; C
(domyślnie 1) to kanał pokazany w edytorze, który ustawia &quot;0-1000mV.&quot;.</source>
        <translation>--list prints the eleven presets with their numbers. N applies preset N to
dimconfig.aoln as the constants editor does when confirmed with OK; C (default 1)
is the channel shown in the editor, which &quot;0-1000mV.&quot; sets.</translation>
    </message>
    <message>
        <source>PLIK</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>zastosuj plik parametrów użytkownika do dimconfig.aoln</source>
        <translation>apply a user parameter file to dimconfig.aoln</translation>
    </message>
    <message>
        <source>Stosuje plik parametrów użytkownika (wiersz tytułu, potem wiersze
&quot;kanał S_B S_C format nazwa&quot; z przecinkami dziesiętnymi) i wypisuje tytuł,
ustawione kanały i pominięte wiersze.</source>
        <translation>Applies a user parameter file (title line, then &quot;channel S_B S_C format name&quot;
lines with decimal commas) and prints the title, the channels set and the lines
skipped.</translation>
    </message>
    <message>
        <source>save PLIK | load PLIK</source>
        <translation>save FILE | load FILE</translation>
    </message>
    <message>
        <source>zapisz albo wczytaj program ustawień (*.roln)</source>
        <translation>save or load a settings program (*.roln)</translation>
    </message>
    <message>
        <source>save zapisuje 2200-bajtowy rekord konfiguracji do PLIKU. load stawia PLIK
w miejsce dimconfig.aoln, tylko gdy ma on dokładnie 2200 bajtów.</source>
        <translation>save writes the configuration&apos;s 2200-byte record to FILE. load puts FILE in place
of dimconfig.aoln, only when it is exactly 2200 bytes.</translation>
    </message>
    <message>
        <source># kanał %1 nie ma nazwy: nie trafia do plików pomiarowych (channels[%1].name)
</source>
        <translation># channel %1 has no name: it is left out of measurement files (channels[%1].name)
</translation>
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
