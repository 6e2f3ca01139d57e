<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru_RU">
<context>
    <name>AboutPicture</name>
    <message>
        <source>Нет картинки окна «О программе»: %1</source>
        <translation>The About picture is missing: %1</translation>
    </message>
    <message>
        <source>:/about/AboutPicture.bin</source>
        <extracomment>The resource of the About picture drawn with the header in this language (assets/about.cmake).</extracomment>
        <translation>:/about/AboutPicture.en.bin</translation>
    </message>
</context>
<context>
    <name>Calibration</name>
    <message>
        <source>Измерение %1 мм не может быть верным: линия %2 мм на любом исправном принтере выходит от %3 до %4 мм.</source>
        <translation>A measurement of %1 mm cannot be right: on any working printer the %2 mm line comes out between %3 and %4 mm.</translation>
    </message>
    <message>
        <source>Калибровка: %1 % × %2 %</source>
        <translation>Calibration: %1 % × %2 %</translation>
    </message>
    <message>
        <source>ru_RU</source>
        <comment>locale of the numbers</comment>
        <translation>en_US</translation>
    </message>
</context>
<context>
    <name>CalibrationFile</name>
    <message>
        <source>файл повреждён</source>
        <translation>the file is damaged</translation>
    </message>
    <message>
        <source>неизвестная версия файла</source>
        <translation>unknown file version</translation>
    </message>
    <message>
        <source>измерения для принтера «%1» вне допустимых пределов</source>
        <translation>the measurements for printer &quot;%1&quot; are out of range</translation>
    </message>
    <message>
        <source>принтер «%1» записан дважды</source>
        <translation>printer &quot;%1&quot; is listed twice</translation>
    </message>
</context>
<context>
    <name>CalibrationSheet</name>
    <message>
        <source>Калибровка принтера «%1», %2</source>
        <translation>Calibration of printer &quot;%1&quot;, %2</translation>
    </message>
    <message>
        <source>Измерьте стальной линейкой каждую линию по всей длине, от первого деления до последнего.</source>
        <translation>Measure each line with a steel ruler along its whole length, from the first tick to the last.</translation>
    </message>
    <message>
        <source>Верхняя линия напечатана длиной 200 мм, левая — 150 мм.</source>
        <translation>The top line is printed 200 mm long, the left one 150 mm.</translation>
    </message>
    <message>
        <source>Введите, что намерили, в окне «Калибровка принтера...» меню «Файл»</source>
        <translation>Enter what you measured in &quot;Printer calibration...&quot; in the &quot;File&quot; menu</translation>
    </message>
    <message>
        <source>или командой: vornel --calibrate ШИРИНАxВЫСОТА, например 202x148.5</source>
        <translation>or with the command: vornel --calibrate WIDTHxHEIGHT, for example 202x148.5</translation>
    </message>
</context>
<context>
    <name>CalibrationStore</name>
    <message>
        <source>Калибровка принтеров не применяется: файл %1 не годится (%2). Печать идёт без поправки.</source>
        <translation>Printer calibration is not applied: the file %1 cannot be used (%2). Printing goes ahead uncorrected.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Показать принтеры, по одному в строке; принтер по умолчанию отмечен.</source>
        <translation>List the printers, one a line; the default printer is marked.</translation>
    </message>
    <message>
        <source>Напечатать конверт.</source>
        <translation>Print the envelope.</translation>
    </message>
    <message>
        <source>имя</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Сохранить конверт в PDF-файл.</source>
        <translation>Save the envelope as a PDF file.</translation>
    </message>
    <message>
        <source>файл</source>
        <translation>file</translation>
    </message>
    <message>
        <source>Бумага для --pdf: a4 или letter (иначе по языковым настройкам).</source>
        <translation>Paper for --pdf: a4 or letter (else by the locale).</translation>
    </message>
    <message>
        <source>Шаблон: 0 сплошные линии, 1 центр пунктир, 2 линии точки (иначе 0).</source>
        <translation>Template: 0 solid lines, 1 dashed centre, 2 dotted lines (else 0).</translation>
    </message>
    <message>
        <source>%1 (по умолчанию)</source>
        <translation>%1 (default)</translation>
    </message>
    <message>
        <source>Принтер «%1» не найден</source>
        <translation>Printer &quot;%1&quot; not found</translation>
    </message>
    <message>
        <source>Недопустимый шаблон «%1»: нужно 0, 1 или 2.</source>
        <translation>Invalid template &apos;%1&apos;: expected 0, 1 or 2.</translation>
    </message>
    <message>
        <source>Недопустимая бумага «%1»: нужно a4 или letter.</source>
        <translation>Invalid paper &apos;%1&apos;: expected a4 or letter.</translation>
    </message>
    <message>
        <source>--%1 задаётся только с %2.</source>
        <translation>--%1 goes only with %2.</translation>
    </message>
    <message>
        <source>--%1 можно задать только один раз.</source>
        <translation>--%1 may be given only once.</translation>
    </message>
    <message>
        <source>Лишний аргумент «%1».</source>
        <translation>Unexpected argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>--print или --pdf</source>
        <translation>--print or --pdf</translation>
    </message>
    <message>
        <source>Для --pdf нужно имя файла.</source>
        <translation>--pdf needs a file name.</translation>
    </message>
    <message>
        <source>%1: конверт для CD/DVD в натуральную величину.</source>
        <translation>%1: a CD/DVD envelope at true size.</translation>
    </message>
    <message>
        <source>Принтер для --print, --calibration-sheet и --calibrate (иначе принтер по умолчанию).</source>
        <translation>Printer for --print, --calibration-sheet and --calibrate (otherwise the default printer).</translation>
    </message>
    <message>
        <source>Напечатать лист калибровки принтера.</source>
        <translation>Print the printer&apos;s calibration sheet.</translation>
    </message>
    <message>
        <source>Запомнить, что намерено на листе калибровки: длины линий 200 и 150 мм, например 202x148.5; reset убирает калибровку принтера.</source>
        <translation>Store what was measured on the calibration sheet: the lengths of the 200 and 150 mm lines, for example 202x148.5; reset removes the printer&apos;s calibration.</translation>
    </message>
    <message>
        <source>ШИРИНАxВЫСОТА|reset</source>
        <translation>WIDTHxHEIGHT|reset</translation>
    </message>
    <message>
        <source>Неверные измерения «%1»: нужно ШИРИНАxВЫСОТА в миллиметрах, например 202x148.5, или reset.</source>
        <translation>Invalid measurement &apos;%1&apos;: expected WIDTHxHEIGHT in millimetres, such as 202x148.5, or reset.</translation>
    </message>
    <message>
        <source>Задайте одно из --list-printers, --print, --pdf, --calibration-sheet и --calibrate.</source>
        <translation>Give one of --list-printers, --print, --pdf, --calibration-sheet and --calibrate.</translation>
    </message>
    <message>
        <source>--print, --calibration-sheet или --calibrate</source>
        <translation>--print, --calibration-sheet or --calibrate</translation>
    </message>
    <message>
        <source>Подробнее: vornel --help</source>
        <translation>See: vornel --help</translation>
    </message>
</context>
<context>
    <name>CupsJob</name>
    <message>
        <source>Документ не принят.</source>
        <translation>The document was not accepted.</translation>
    </message>
</context>
<context>
    <name>CupsPassword</name>
    <message>
        <source>Сервер печати %1 запросил пароль пользователя %2, но пароль не был введён. Ничего не напечатано.</source>
        <translation>The print server %1 asked for the password of user %2, and none was given. Nothing was printed.</translation>
    </message>
</context>
<context>
    <name>CupsServer</name>
    <message>
        <source>Сервер печати %1 недоступен.</source>
        <translation>The print server %1 is not available.</translation>
    </message>
</context>
<context>
    <name>EnvelopePdf</name>
    <message>
        <source>Конверт не помещается на бумаге</source>
        <translation>The envelope does not fit on the paper</translation>
    </message>
</context>
<context>
    <name>Errors</name>
    <message>
        <source>Не удалось создать файл «%1». %2</source>
        <translation>Cannot create file &quot;%1&quot;. %2</translation>
    </message>
    <message>
        <source>Не удалось записать в %1. %2</source>
        <translation>Cannot write to %1. %2</translation>
    </message>
</context>
<context>
    <name>LinkFailure</name>
    <message>
        <source>Не удалось открыть ссылку: не найден браузер или он не запустился.
Скопируйте адрес и откройте его вручную:
%1</source>
        <translation>The link could not be opened: no web browser was found, or it did not start.
Copy the address and open it yourself:
%1</translation>
    </message>
</context>
<context>
    <name>PaperFit</name>
    <message>
        <source>%1 x %2 мм</source>
        <translation>%1 x %2 mm</translation>
    </message>
    <message>
        <source>Бумага (%1) слишком мала для конверта: нужна область печати %2 x %3 мм.</source>
        <translation>The paper (%1) is too small for the envelope: it needs a printable area of %2 x %3 mm.</translation>
    </message>
    <message>
        <source>Бумага %1 (%2) слишком мала для конверта: нужна область печати %3 x %4 мм.</source>
        <translation>The paper %1 (%2) is too small for the envelope: it needs a printable area of %3 x %4 mm.</translation>
    </message>
    <message>
        <source>%1 x %2 дюйм.</source>
        <translation>%1 x %2 in</translation>
    </message>
</context>
<context>
    <name>PrintBackendModule</name>
    <message>
        <source>%1: в нём нет системы печати</source>
        <translation>%1: no print system in it</translation>
    </message>
    <message>
        <source>Не удалось загрузить систему печати (%1)</source>
        <translation>The print system could not be loaded (%1)</translation>
    </message>
    <message>
        <source>нет %1 в %2</source>
        <translation>no %1 in %2</translation>
    </message>
</context>
<context>
    <name>ProductConstants</name>
    <message>
        <source>Ворнель [light]</source>
        <translation>Vornel [light]</translation>
    </message>
    <message>
        <source>© 2026 Ворнель</source>
        <translation>© 2026 Vornel</translation>
    </message>
    <message>
        <source>Версия программы</source>
        <translation>Program version</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Ворнель</source>
        <translation>Vornel</translation>
    </message>
</context>
<context>
    <name>SaveFile</name>
    <message>
        <source>«%1»</source>
        <translation>&quot;%1&quot;</translation>
    </message>
    <message>
        <source>стандартный вывод</source>
        <translation>standard output</translation>
    </message>
</context>
<context>
    <name>SavePdfCommand</name>
    <message>
        <source>Сохранить в PDF</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>Документы PDF (*.pdf)</source>
        <translation>PDF documents (*.pdf)</translation>
    </message>
    <message>
        <source>Конверт.pdf</source>
        <translation>Envelope.pdf</translation>
    </message>
</context>
<context>
    <name>TCalibrationDialog</name>
    <message>
        <source>Калибровка принтера «%1»</source>
        <translation>Calibration of printer &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Принтер «%1»: %2</source>
        <translation>Printer &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>калибровки нет</source>
        <translation>not calibrated</translation>
    </message>
    <message>
        <source>Напечатать лист калибровки</source>
        <translation>Print the calibration sheet</translation>
    </message>
    <message>
        <source>Измерьте стальной линейкой обе линии листа по всей длине и введите, что намерили, с точностью до 0,1 мм.</source>
        <translation>Measure both lines of the sheet with a steel ruler along their whole length and enter what you measured, to 0.1 mm.</translation>
    </message>
    <message>
        <source>Линия 200 мм, намерено (мм):</source>
        <translation>200 mm line, measured (mm):</translation>
    </message>
    <message>
        <source>Линия 150 мм, намерено (мм):</source>
        <translation>150 mm line, measured (mm):</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сбросить</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TFormAbout</name>
    <message>
        <source>Ворнель - современная и удобная БЕСПЛАТНАЯ программа для печати конвертов для CD/DVD и других дисков. Позволяет на любом принтере распечатать конверт и использовать его для любых дисков!</source>
        <translation>Vornel is a modern, easy-to-use FREE program that prints envelopes for CDs, DVDs and other discs. Print an envelope on any printer and use it for any disc!</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Сайт программы</source>
        <translation>Program website</translation>
    </message>
    <message>
        <source>Техническая поддержка</source>
        <translation>Technical support</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Выбор принтера</source>
        <translation>Choose a printer</translation>
    </message>
    <message>
        <source>Выбор шаблона печати</source>
        <translation>Choose a print template</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Сохранить в PDF...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Сайт программы</source>
        <translation>Program website</translation>
    </message>
    <message>
        <source>Поддержка</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Печать выбранного шаблона на выбранном принтере</source>
        <translation>Prints the chosen template on the chosen printer</translation>
    </message>
    <message>
        <source>Главное меню</source>
        <translation>Main menu</translation>
    </message>
    <message>
        <source>шаблон не выбран</source>
        <translation>no template chosen</translation>
    </message>
    <message>
        <source>Предпросмотр конверта: %1</source>
        <translation>Envelope preview: %1</translation>
    </message>
    <message>
        <source>%1: найден в сети</source>
        <translation>%1: found on the network</translation>
    </message>
    <message>
        <source>Калибровка принтера...</source>
        <translation>Printer calibration...</translation>
    </message>
</context>
<context>
    <name>TPasswordDialog</name>
    <message>
        <source>Подключиться</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Выбрать принтер</source>
        <translation>Choose printer</translation>
    </message>
    <message>
        <source>Печатать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Пароль не принят.</source>
        <translation>The password was not accepted.</translation>
    </message>
    <message>
        <source>Сервер печати %1 просит пароль.</source>
        <translation>The print server %1 asks for a password.</translation>
    </message>
    <message>
        <source>Пользователь:</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1: пароль для печати</source>
        <translation>%1: password for printing</translation>
    </message>
</context>
<context>
    <name>TemplateDispatch</name>
    <message>
        <source>Черный конверт, сплошные линии</source>
        <translation>Black envelope, solid lines</translation>
    </message>
    <message>
        <source>Черный конверт, центр пунктир</source>
        <translation>Black envelope, dashed centre</translation>
    </message>
    <message>
        <source>Черный конверт, линии точки</source>
        <translation>Black envelope, dotted lines</translation>
    </message>
    <message>
        <source>Не выбран шаблон печати.</source>
        <translation>No print template is chosen.</translation>
    </message>
</context>
<context>
    <name>TerminalPassword</name>
    <message>
        <source>Пароль не принят.</source>
        <translation>The password was not accepted.</translation>
    </message>
    <message>
        <source>Пароль пользователя %1 для сервера печати %2: </source>
        <translation>Password of user %1 for the print server %2: </translation>
    </message>
</context>
</TS>
