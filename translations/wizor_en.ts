<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl_PL">
<context>
    <name>ChartExport</name>
    <message>
        <source>Nie można zapisać pliku %1.</source>
        <translation>Cannot save the file %1.</translation>
    </message>
</context>
<context>
    <name>DesktopLinks</name>
    <message>
        <source>System WINDOWS zgłosił bląd....</source>
        <translation>The system reported an error....</translation>
    </message>
    <message>
        <source>Błąd...</source>
        <translation>Error...</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>zły numer strony: %1</source>
        <translation>bad page number: %1</translation>
    </message>
    <message>
        <source>zły rozmiar: %1 (SZERxWYS, np. 1200x800)</source>
        <translation>bad size: %1 (WxH, e.g. 1200x800)</translation>
    </message>
    <message>
        <source>nieznany argument: %1</source>
        <translation>unknown argument: %1</translation>
    </message>
    <message>
        <source>brak pliku wyjściowego lub pliku danych</source>
        <translation>missing output file or data file</translation>
    </message>
    <message>
        <source>--page i --overview wykluczają się</source>
        <translation>--page and --overview exclude each other</translation>
    </message>
    <message>
        <source>nie można odczytać pliku %1</source>
        <translation>cannot read the file %1</translation>
    </message>
    <message>
        <source>plik ma %1 stron(y), nie ma strony %2</source>
        <translation>the file has %1 page(s), there is no page %2</translation>
    </message>
    <message>
        <source>Użycie: wizor [PLIK]
       wizor --export WYJŚCIE [--page K | --overview] [--size SZERxWYS] PLIK

Bez argumentu pokazuje plik wiznow.dan z bieżącego katalogu.
--export WYJŚCIE  zapisuje wykres strony K (od 1; domyślnie pierwszej) lub całego pliku
                  (--overview) bez okna, w formacie z rozszerzenia: png, svg, pdf, csv
                  (csv: widoczny zakres kanałów, nagłówek z nazwami)
--page K          strona K pliku dzielonego na strony po 32000 linii
--overview        cały plik, jak &quot;Cały plik&quot; w oknie
--size SZERxWYS   rozmiar wykresów w pikselach (domyślnie jak w oknie)
--help            ten opis
</source>
        <translation>Usage: wizor [FILE]
       wizor --export OUTPUT [--page K | --overview] [--size WxH] FILE

Without an argument it shows the file wiznow.dan from the current directory.
--export OUTPUT   writes the chart of page K (from 1; the first by default) or of the
                  whole file (--overview) without a window, in the format its
                  extension names: png, svg, pdf, csv
                  (csv: the visible range of the channels, a header with their names)
--page K          page K of the file divided into pages of 32000 lines
--overview        the whole file, like &quot;Whole file&quot; in the window
--size WxH        the size of the charts in pixels (by default as in the window)
--help            this description
</translation>
    </message>
    <message>
        <source>nieznany format pliku %1 (png, svg, pdf, csv)</source>
        <translation>unknown file format %1 (png, svg, pdf, csv)</translation>
    </message>
</context>
<context>
    <name>WizorDialogs</name>
    <message>
        <source>Nowy wykres</source>
        <translation>New chart</translation>
    </message>
    <message>
        <source>Pliki danych (*.dan);;Plik tekstowy (*.txt);;Wszystkie pliki (*)</source>
        <translation>Data files (*.dan);;Text file (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp)</source>
        <translation>Bitmaps (*.bmp)</translation>
    </message>
    <message>
        <source>Eksport</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png);;Rysunek SVG (*.svg);;Dokument PDF (*.pdf);;Dane CSV (*.csv)</source>
        <translation>PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf);;CSV data (*.csv)</translation>
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
<context>
    <name>wizor::AboutBox</name>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>wer. </source>
        <translation>ver. </translation>
    </message>
    <message>
        <source>Program wizualizacji danych</source>
        <translation>Data visualisation program</translation>
    </message>
    <message>
        <source>Najnowsza wersja</source>
        <translation>Latest version</translation>
    </message>
    <message>
        <source>Sprawdź w internecie najnowszą wersję programu.</source>
        <translation>Check the web for the latest version of the program.</translation>
    </message>
</context>
<context>
    <name>wizor::ChartWindow</name>
    <message>
        <source>Cały plik</source>
        <translation>Whole file</translation>
    </message>
    <message>
        <source>&amp;Nowy wykres</source>
        <translation>&amp;New chart</translation>
    </message>
    <message>
        <source>Nowy wykres</source>
        <translation>New chart</translation>
    </message>
    <message>
        <source>&amp;Drukuj</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Ustaw drukarkę i drukuj</source>
        <translation>Set up the printer and print</translation>
    </message>
    <message>
        <source>Zapisz jako</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>&amp;Zamkinij</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Koniec programu</source>
        <translation>Exit the program</translation>
    </message>
    <message>
        <source>&amp;Kopiuj</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Kopiuj</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Kopiuj wykres do schowka</source>
        <translation>Copy the chart to the clipboard</translation>
    </message>
    <message>
        <source>Widok 3D</source>
        <translation>3D view</translation>
    </message>
    <message>
        <source>Widok w przestrzeni</source>
        <translation>Three-dimensional view</translation>
    </message>
    <message>
        <source>Kolor tła</source>
        <translation>Background colour</translation>
    </message>
    <message>
        <source>Dodaj legende</source>
        <translation>Show legend</translation>
    </message>
    <message>
        <source>Wyświetl legende</source>
        <translation>Show the legend</translation>
    </message>
    <message>
        <source>Zwiększ</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Zmniejsz</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Dopasuj</source>
        <translation>Fit</translation>
    </message>
    <message>
        <source>Pokazuj bieżące pomiary.</source>
        <translation>Show current measurements.</translation>
    </message>
    <message>
        <source>Spis pomocy</source>
        <translation>Help contents</translation>
    </message>
    <message>
        <source>&amp;Zawarto</source>
        <translation>&amp;Topics</translation>
    </message>
    <message>
        <source>&amp;Indeks</source>
        <translation>&amp;Index</translation>
    </message>
    <message>
        <source>Indeks pomocy</source>
        <translation>Help index</translation>
    </message>
    <message>
        <source>Internetowa Pomoc Techniczna</source>
        <translation>Technical Support on the Web</translation>
    </message>
    <message>
        <source>O &amp;programie</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>Następna strona</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Poprzednia strona</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Pierwsza strona</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>Ostatnia strona</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>Kursory</source>
        <translation>Cursors</translation>
    </message>
    <message>
        <source>Eksport...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>Pokaż wszystkie kanały</source>
        <translation>Show all channels</translation>
    </message>
    <message>
        <source>&amp;Plik</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Edycja</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Język</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Pomoc</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Wprowadź dane Plik|Nowy</source>
        <translation>Open data File|New</translation>
    </message>
    <message>
        <source>Język programu zmieni się przy następnym uruchomieniu.</source>
        <translation>The program&apos;s language changes at the next start.</translation>
    </message>
    <message>
        <source>Język</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Kopiuj tabelę</source>
        <translation>Copy table</translation>
    </message>
    <message>
        <source>Kanał	A	B	B-A	min	max	średnia	RMS</source>
        <translation>Channel	A	B	B-A	min	max	mean	RMS</translation>
    </message>
    <message>
        <source>(widoczny zakres; kliknij wykres, aby postawić kursory A i B)</source>
        <translation>(visible range; click the chart to place cursors A and B)</translation>
    </message>
    <message>
        <source>Nie można rozpocząć wydruku.</source>
        <translation>Cannot start printing.</translation>
    </message>
    <message>
        <source>Błąd...</source>
        <translation>Error...</translation>
    </message>
    <message>
        <source>Drukowanie...</source>
        <translation>Printing...</translation>
    </message>
    <message>
        <source>Koniec wydruku</source>
        <translation>Printing finished</translation>
    </message>
    <message>
        <source>Nie można zapisać pliku %1.</source>
        <translation>Cannot save the file %1.</translation>
    </message>
    <message>
        <source>Nieznany format pliku %1.</source>
        <translation>Unknown file format %1.</translation>
    </message>
    <message>
        <source>Nie odnaleziono pliku pomocy!</source>
        <translation>Help file not found!</translation>
    </message>
    <message>
        <source>Uwaga!</source>
        <translation>Warning!</translation>
    </message>
</context>
</TS>
