#pragma once
// Every German text the program shows, in one place. Written as UTF-8 here
// and turned into Windows-1252 bytes at compile time.
#include "runtime/cp1252_literal.h"

namespace velkart::texts {

using runtime::Cp1252Literal;

// Message boxes
inline constexpr Cp1252Literal message_title{"Information"};
inline constexpr Cp1252Literal question_title{"Frage"};
inline constexpr Cp1252Literal encoder_close_question{
    "Die mp3-Dateien werden noch erzeugt. Soll ebook2cw im Hintergrund fertig arbeiten?\n\n"
    "Ja: ebook2cw arbeitet weiter, die mp3-Dateien werden fertig.\n"
    "Nein: ebook2cw wird beendet und die angefangene mp3-Datei entfernt."};
inline constexpr Cp1252Literal no_words_or_file{
    "Es wurden keine Wörter ausgewählt oder die Datei konnte nicht geöffnet werden!"};
inline constexpr Cp1252Literal file_not_created{"Konnte Datei nicht erstellen!"};
inline constexpr Cp1252Literal run_stopped{
    "Der Durchlauf wurde abgebrochen: vollständig sind nur die Dateien davor, mp3-Dateien werden "
    "nicht erzeugt."};
inline constexpr Cp1252Literal bad_base_name{
    "Der Dateiname darf keines der Zeichen \\ / : * ? \" < > | und keine Steuerzeichen enthalten!"};
inline constexpr Cp1252Literal too_many_repetitions{
    "Bitte höchstens 100 Wiederholungen je Text eintragen."};
inline constexpr Cp1252Literal name_too_long{"Der Dateiname ist zu lang."};
inline constexpr Cp1252Literal no_texts{"Bitte mindestens einen Text eintragen."};
inline constexpr Cp1252Literal stale_one_trashed{
    "1 ältere Datei dieses Namens mit höherer Nummer liegt jetzt im Papierkorb."};
inline constexpr Cp1252Literal stale_trashed{
    " ältere Dateien dieses Namens mit höheren Nummern liegen jetzt im Papierkorb."};
inline constexpr Cp1252Literal stale_kept{
    "Ältere Dateien dieses Namens mit höheren Nummern liegen noch im Ordner eure_Texte; sie "
    "gehören nicht zu diesem Durchlauf."};
inline constexpr Cp1252Literal too_many_texts{"Bitte höchstens 10000 Texte eintragen."};
inline constexpr Cp1252Literal bad_tone{
    "Die Tonhöhe muss zwischen 100 und 3000 Hz liegen; andere Töne kann der mp3-Encoder nicht "
    "sauber erzeugen."};
inline constexpr Cp1252Literal empty_pool{
    "Der Wortvorrat ist leer: kein Wort der angekreuzten Wortlisten passt zu den erlaubten und "
    "verpflichtenden Zeichen und zur Wortlänge. Bitte mehr Zeichen erlauben, die Wortlänge "
    "ändern oder weitere Wortlisten ankreuzen; es wurde nichts geschrieben."};
inline constexpr Cp1252Literal unexpected_error{
    "Ein unerwarteter Fehler ist aufgetreten. Die Einstellungen werden gespeichert und das "
    "Programm wird beendet."};
inline constexpr Cp1252Literal encoder_missing{
    "Der mp3-Encoder ebook2cw wurde nicht gefunden. Es werden keine mp3-Dateien erzeugt."};
inline constexpr Cp1252Literal encoder_missing_windows{
    "Der mp3-Encoder ebook2cw wurde nicht gefunden. Es werden keine mp3-Dateien erzeugt.\n"
    "ebook2cw.exe gehört in den Ordner nicht_loeschen (nicht_loeschen\\ebook2cw.exe). "
    "Woher es ebook2cw.exe gibt, steht in LIESMICH.txt."};
inline constexpr Cp1252Literal lock_unavailable{
    "Die Sperrdatei nicht_loeschen/velkart.lock lässt sich nicht öffnen oder sperren; ohne sie "
    "könnten zwei Durchläufe dieselben Dateien schreiben. Bitte prüfen, ob es den Ordner "
    "nicht_loeschen gibt und ob die Datei einem anderen Benutzer gehört oder ein Ordner ist. Es "
    "wurde nichts geschrieben."};
inline constexpr Cp1252Literal encoder_still_running{
    "Die mp3-Dateien des letzten Durchlaufs werden noch erzeugt. Bitte warten, bis das Erzeugen "
    "beendet ist."};

// Output area while a practice text is drawn
inline constexpr Cp1252Literal please_wait{"\n\n   B I T T E   W A R T E N"};

// Main window
inline constexpr Cp1252Literal main_title{"Velkart          Version 1.05     November 2010"};
inline constexpr Cp1252Literal frame_word_lists{"Wörter auswählen:"};
inline constexpr Cp1252Literal list_own{"eigeneDatei.txt "};
inline constexpr Cp1252Literal list_german{"deutsche Wörter (13000)"};
inline constexpr Cp1252Literal list_english{"englische Wörter Top 1000"};
inline constexpr Cp1252Literal list_q_groups{"Q-Gruppen"};
inline constexpr Cp1252Literal list_abbreviations{"CW-Abkürzungen"};
inline constexpr Cp1252Literal word_length{"Wortlänge"};
inline constexpr Cp1252Literal ten{"10"};
inline constexpr Cp1252Literal replace_sz{"ß gegen ss austauschen"};
inline constexpr Cp1252Literal replace_umlauts{"ÖÄÜ gegen OE AE UE austauschen"};
inline constexpr Cp1252Literal allowed_characters{"erlaubte Zeichen:"};
inline constexpr Cp1252Literal default_allowed{"kmuresniat"};
inline constexpr Cp1252Literal filtered_characters{"ausgefilterte Zeichen:"};
inline constexpr Cp1252Literal frequency_german{
    "De ----- E N I R S A T D H U L G C O M B F W K Z P V  J  Y X Q"};
inline constexpr Cp1252Literal frequency_english{
    "En ----- E T A O I N S H R D L C U M W F G Y P B V K J X Q Z "};
inline constexpr Cp1252Literal frequency_cw{"cw ----- C Q D E R S P G"};
inline constexpr Cp1252Literal koch_order{"K M U R E S N A P T L W I J Z F O Y V G Q H B C D X"};
inline constexpr Cp1252Literal trial_button{"Text analysieren -Probedurchlauf-"};
inline constexpr Cp1252Literal generate_button{"Text analysieren -mp3 erstellen-"};
inline constexpr Cp1252Literal default_base_name{"Dateiname"};
inline constexpr Cp1252Literal output_area{"Ausgabetext"};
inline constexpr Cp1252Literal about_line{
    "Verbesserungsvorschläge an Olvar  (ZZ9OLV)    zz9olv@example.org    November 2010"};
inline constexpr Cp1252Literal letters{"Buchstaben"};
inline constexpr Cp1252Literal exactly{"genau"};
inline constexpr Cp1252Literal up_to{"bis zu"};
inline constexpr Cp1252Literal word_limit{"max. Anzahl d. Worte im Zufallstext"};
inline constexpr Cp1252Literal default_word_limit{"300"};
inline constexpr Cp1252Literal one{"1"};
inline constexpr Cp1252Literal text_count{
    "Anzahl der Übungstexte mit zufälliger Reihenfolge erstellen (Es werden einzelne "
    "Kapitel/Dateien "
    "mit gleichem Sortierkriterium aber unterschiedlichen Wörtern erzeugt)"};
inline constexpr Cp1252Literal most_frequent{"häufigste Zeichen"};
inline constexpr Cp1252Literal koch_method{"Lernmethode: Koch"};
inline constexpr Cp1252Literal frame_criteria{"Sortierkriterien:"};
inline constexpr Cp1252Literal frame_saving{"Speichern und mp3-Files generieren:"};
inline constexpr Cp1252Literal mp3_suffix{"0000.mp3"};
inline constexpr Cp1252Literal text_preview_initial{"Dateiname0000_.txt"};
inline constexpr Cp1252Literal pdf_preview_initial{"Dateiname.pdf"};
inline constexpr Cp1252Literal character_speed{"WpM  Zeichengeschwindigkeit"};
inline constexpr Cp1252Literal mp3_band{"mp3"};
inline constexpr Cp1252Literal effective_speed{"WpM  Effektivgeschwindigkeit"};
inline constexpr Cp1252Literal twenty{"20"};
inline constexpr Cp1252Literal mandatory_characters{"Zeichen verpflichtend"};
inline constexpr Cp1252Literal mandatory_explanation{
    "Zeichen müssen verpflichtend im Wort vorkommen (Trainingshilfe)"};
inline constexpr Cp1252Literal word_spacing_tooltip{
    "Es werden nur die Wortzwischenräume vergrößert. Diese Auswahl funktioniert nicht zusammen mit "
    "der "
    "Veränderung der Effektivgeschwindigkeit!"};
inline constexpr Cp1252Literal repetitions{
    "Wiederholungsschleife innerhalb einer Datei (nur mp3 - im PDF-Dokument wird der Text nur "
    "einmal "
    "abgedruckt)"};
inline constexpr Cp1252Literal five{"5"};
inline constexpr Cp1252Literal six_fifty{"650"};
inline constexpr Cp1252Literal frequency{"Hz Frequenz"};
inline constexpr Cp1252Literal generation_status{
    "- mp3-Sounddateien wird erstellt\n- txt-Dateien werden ertellt\n- pdf-Lösungsdatei wird "
    "erstellt\n"
    "Die Dateien sind im Verzeichnis: Texte"};
inline constexpr Cp1252Literal open_builder_button{
    "Eigenen Grundwortschatz erstellen und einbinden"};
inline constexpr Cp1252Literal open_builder_tooltip{
    "Mit diesem Tool kann der Wortschatz erweitert werden. Eigene Wörter müssen immer "
    "eigeneDatei.txt  heißen."};
inline constexpr Cp1252Literal help_button{"Hilfe & Informationen"};
inline constexpr Cp1252Literal german_list_note{"allgemein/AFU/Technik"};
inline constexpr Cp1252Literal extra_word_spaces{"zusätzliche Wortzwischenräume"};
inline constexpr Cp1252Literal zero{"0"};
inline constexpr Cp1252Literal qrq_before{"alle "};
inline constexpr Cp1252Literal qrq_after{
    "Minuten die Zeichengeschwindigkeit um 1 WPM erhöhen - QRQ -  ( 0 = konstante Geschwindigkeit "
    ") Die "
    "Effektivgeschwindigkeit muss gleich der Zeichengeschwindigkeit sein und wird deshalb "
    "angepasst"};
inline constexpr Cp1252Literal files_to_write{"zu erzeugende Dateien: (werden überschrieben)"};
inline constexpr Cp1252Literal files_folder_note{
    "Die von euch erzeugen Dateien liegen im Verzeichns 'eure_Texte'"};

// The program without a screen
inline constexpr Cp1252Literal no_display{
    "Velkart braucht eine grafische Oberfläche, es wurde aber keine gefunden (DISPLAY ist nicht "
    "gesetzt "
    "oder der X-Server ist nicht erreichbar). Für die Kommandozeile gibt es velkart-batch."};
inline constexpr Cp1252Literal window_not_opened{
    "Das Hauptfenster von Velkart konnte nicht geöffnet werden."};

// The strip below the main window's panels
inline constexpr Cp1252Literal open_folder_button{"Ordner öffnen"};
inline constexpr Cp1252Literal cancel_mp3_button{"mp3 abbrechen"};
inline constexpr Cp1252Literal pool_words{"Wortvorrat: "};
inline constexpr Cp1252Literal pool_one_word{" Wort"};
inline constexpr Cp1252Literal pool_many_words{" Wörter"};
inline constexpr Cp1252Literal pool_all_in_every_text{" - jeder Text enthält dieselben Wörter"};
inline constexpr Cp1252Literal pool_empty{" - kein Wort passt zu den erlaubten Zeichen"};
inline constexpr Cp1252Literal pool_text_length{" · ein Text dauert etwa "};
inline constexpr Cp1252Literal length_minutes{" min"};
inline constexpr Cp1252Literal mp3_progress{"mp3-Dateien: "};
inline constexpr Cp1252Literal mp3_of{" von "};
inline constexpr Cp1252Literal mp3_done{" fertig"};
inline constexpr Cp1252Literal mp3_all{"Alle "};
inline constexpr Cp1252Literal mp3_all_done{" mp3-Dateien sind fertig."};
inline constexpr Cp1252Literal mp3_the_one_done{"Die mp3-Datei ist fertig."};
inline constexpr Cp1252Literal mp3_failed{"ebook2cw endete mit dem Fehlercode "};
inline constexpr Cp1252Literal mp3_ended_short{"ebook2cw ist fertig, aber nur "};
inline constexpr Cp1252Literal mp3_cancelled{"mp3 abgebrochen: "};
inline constexpr Cp1252Literal folder_not_opened{
    "Der Ordner eure_Texte konnte nicht geöffnet werden. Bitte den Ordner mit einem "
    "Dateimanager öffnen."};

inline constexpr Cp1252Literal listen_button{"Anhören"};
inline constexpr Cp1252Literal no_playlist_yet{
    "Es gibt noch keine Wiedergabeliste: PATH entsteht mit \"Text analysieren -mp3 erstellen-\"."};
inline constexpr Cp1252Literal playlist_not_opened{
    "Die Wiedergabeliste PATH konnte nicht geöffnet werden. Bitte sie mit einem Abspielprogramm "
    "öffnen."};

// Solution sheet
inline constexpr Cp1252Literal sheet_heading{
    "   Velkart   Morseübungstexte von Olvar (ZZ9OLV)   -- Wortlisten selbst überprüfen! --  ;-)   "
    "   "};
inline constexpr Cp1252Literal sheet_lesson_title{"Lösung "};
inline constexpr Cp1252Literal sheet_character_speed{"WpM Zeichengeschwindigkeit         "};
inline constexpr Cp1252Literal sheet_frequency{"Hz Frequenz                  große Wortabstände: "};
inline constexpr Cp1252Literal sheet_effective_speed{"WpM Effektivgeschwindigkeit        "};
inline constexpr Cp1252Literal sheet_repetitions{
    " Wiederholungen je Text        QRQ Speed um 1WPM/min erhöhen: "};
// After either phrase when its setting is off; QRQ on prints field 59 and " min".
inline constexpr Cp1252Literal sheet_off{"aus"};
inline constexpr Cp1252Literal sheet_minutes{" min"};

// Help document
inline constexpr Cp1252Literal help_window_title{"Velkart - Hilfe und Informationen"};

// Command-line companion
inline constexpr Cp1252Literal batch_usage{
    "Aufruf: velkart-batch BEFEHL [OPTIONEN]\n"
    "\n"
    "Arbeitet im aktuellen Ordner wie das Programm: liest \"voreinstellungen.pref\"\n"
    "(fehlt die Datei, gelten die Grundeinstellungen; sie wird nie geschrieben).\n"
    "\n"
    "Befehle:\n"
    "  trial            ein Probedurchlauf: gibt den Übungstext aus (den Wortvorrat\n"
    "                   und die Dauer eines Textes auf der Fehlerausgabe)\n"
    "  pool             gibt den Wortvorrat aus, ein Wort je Zeile (die Anzahl und\n"
    "                   die Dauer eines Textes auf der Fehlerausgabe)\n"
    "  generate         erzeugt die Übungstexte, die mp3-Dateien und das PDF-Lösungsblatt\n"
    "                   in \"eure_Texte\" und gibt jede geschriebene Datei aus\n"
    "  vocab [NAME]     bearbeitet \"Wortschatz_erweitern/NAME.txt\" zu Wortlisten\n"
    "                   (ohne NAME: die Einstellung String_wortschatz_datei)\n"
    "  course           ein ganzer Koch-Kurs: je Lektion ein Ordner\n"
    "                   \"eure_Texte/NAME_LektionNN\" mit Texten, mp3-Dateien, Lösungsblatt,\n"
    "                   Mitschriftbogen und Wiedergabeliste; dazu eine Kursübersicht\n"
    "  score PRÄFIX --learner NAME DATEI\n"
    "                   wertet die Mitschrift in DATEI gegen die Texte PRÄFIX0000_.txt,\n"
    "                   PRÄFIX0001_.txt, ... aus (Texte durch Leerzeilen getrennt) und\n"
    "                   trägt sie in \"eure_Texte/Auswertung/Auswertungen.csv\" ein\n"
    "  report           schreibt den Lernstand jedes Teilnehmers als PDF nach\n"
    "                   \"eure_Texte/Auswertung\" (mit --learner NAME: nur seinen),\n"
    "                   ohne --learner dazu die Klassenübersicht\n"
    "  drill --learner NAME\n"
    "                   ein Übungsset für die schwachen Zeichen des Teilnehmers in\n"
    "                   \"eure_Texte/Uebung_NAME\", nur aus Zeichen, die er schon kennt\n"
    "\n"
    "Optionen:\n"
    "  --seed N         startet den Zufallsgenerator mit N (0 bis 4294967295),\n"
    "                   damit sich ein Satz Texte genau wiederholen lässt\n"
    "  --set KEY=WERT   ändert eine Einstellung nur für diesen Aufruf, KEY wie in\n"
    "                   \"voreinstellungen.pref\" (mehrfach möglich)\n"
    "  --no-wait        generate: nicht auf das Ende von ebook2cw warten\n"
    "  --from N         course: erste Lektion (2 bis 26, sonst String_kurs_von)\n"
    "  --to M           course: letzte Lektion (2 bis 26, sonst String_kurs_bis)\n"
    "  --texts K        course: Übungstexte je Lektion (sonst String_kurs_texte)\n"
    "  --minutes M      course: so viele Minuten dauert ein Text mit seinen\n"
    "                   Wiederholungen, die Wortzahl folgt aus den Geschwindigkeiten\n"
    "                   der Lektion (1 bis 120, sonst String_kurs_minuten)\n"
    "  --effective A:B  course: Effektivgeschwindigkeit von A (erste Lektion)\n"
    "                   bis B (letzte Lektion), höchstens die Zeichengeschwindigkeit\n"
    "                   (sonst wie im Fenster Kurspaket: String_kurs_rampe)\n"
    "  --groups MODUS   course: Fünfergruppen aus den Buchstaben der Lektion:\n"
    "                   auto (wenn Wörter fehlen), aus oder immer\n"
    "                   (sonst String_kurs_gruppen)\n"
    "  --overwrite      course: vorhandene Lektionsordner ersetzen\n"
    "  --learner NAME   score, report, drill: der Name des Teilnehmers\n"
    "  --weak N         drill: so viele schwache Zeichen (1 bis 10, sonst 3)\n"
    "  --help           zeigt diese Hilfe\n"
    "\n"
    "Ist SOURCE_DATE_EPOCH gesetzt (Sekunden seit 1970), tragen die PDF-Dateien\n"
    "diesen Zeitpunkt (UTC) statt der Uhrzeit: dieselben Texte geben dann\n"
    "dieselben Dateien, auf jedem System.\n"
    "\n"
    "Rückgabewert: 0 ohne Meldung, 1 wenn eine Meldung ausgegeben wurde,\n"
    "2 bei einem Aufruffehler.\n"};
inline constexpr Cp1252Literal batch_usage_hint{"Hilfe: velkart-batch --help"};
inline constexpr Cp1252Literal batch_no_command{
    "Kein Befehl angegeben (trial, pool, generate, vocab, course, score, report oder drill)."};
inline constexpr Cp1252Literal batch_learner_only{
    "--learner gilt nur für score, report und drill."};
inline constexpr Cp1252Literal batch_score_needs{
    "score braucht PRÄFIX, --learner NAME und die Datei mit der Mitschrift."};
inline constexpr Cp1252Literal batch_unknown_command{"Unbekannter Befehl: "};
inline constexpr Cp1252Literal batch_unknown_option{"Unbekannte Option: "};
inline constexpr Cp1252Literal batch_missing_value{"Der Option fehlt ein Wert: "};
inline constexpr Cp1252Literal batch_not_windows_1252{
    "Ein Zeichen kann hier nicht verwendet werden, auch nicht in einem Dateinamen: Velkart kennt "
    "nur die Zeichen von Windows-1252 (Westeuropa). Nicht verwendbar: "};
inline constexpr Cp1252Literal batch_bad_epoch{
    "SOURCE_DATE_EPOCH braucht die Sekunden seit 1970 (0 bis 253402300799), nicht: "};
inline constexpr Cp1252Literal batch_bad_seed{
    "--seed braucht eine ganze Zahl von 0 bis 4294967295, nicht: "};
inline constexpr Cp1252Literal batch_bad_set{"--set braucht die Form KEY=WERT, nicht: "};
inline constexpr Cp1252Literal batch_unknown_key{"Unbekannte Einstellung: "};
inline constexpr Cp1252Literal batch_not_a_number{"Die Einstellung braucht eine ganze Zahl: "};
inline constexpr Cp1252Literal batch_option_not_a_number{" braucht eine ganze Zahl, nicht: "};
inline constexpr Cp1252Literal batch_too_many{"Zu viele Angaben: "};
inline constexpr Cp1252Literal batch_bad_groups{"--groups braucht auto, aus oder immer, nicht: "};
inline constexpr Cp1252Literal batch_course_only{
    "--from, --to, --texts, --effective, --groups und --overwrite gelten nur für course."};
inline constexpr Cp1252Literal batch_unexpected_error{
    "Ein unerwarteter Fehler ist aufgetreten; der Lauf wurde abgebrochen."};
inline constexpr Cp1252Literal batch_encoder_waiting{"Warte auf ebook2cw ..."};
inline constexpr Cp1252Literal batch_encoder_done{"ebook2cw ist fertig."};
inline constexpr Cp1252Literal batch_encoder_failed{"ebook2cw endete mit dem Fehlercode "};
inline constexpr Cp1252Literal batch_encoder_running{
    "ebook2cw läuft weiter im Hintergrund, Prozess "};

// Lesson packs: a whole Koch course in one run
inline constexpr Cp1252Literal course_lesson{"Lektion "};
inline constexpr Cp1252Literal course_interrupted{
    "Abgebrochen: die mp3-Dateien der Lektionen sind nur so weit fertig, wie sie aufgeführt "
    "sind; die angefangenen wurden entfernt."};
inline constexpr Cp1252Literal batch_interrupted{
    "Abgebrochen: ebook2cw wurde beendet. Fertig sind nur die aufgeführten Dateien; die "
    "angefangene mp3-Datei wurde entfernt."};
inline constexpr Cp1252Literal course_stopped{
    "Der Kurs wurde abgebrochen: vollständig sind nur die Lektionen davor."};
inline constexpr Cp1252Literal course_bad_range{
    "Die Lektionen reichen von 2 bis 26, und die erste darf nicht hinter der letzten liegen."};
inline constexpr Cp1252Literal course_bad_text_count{
    "Je Lektion braucht es mindestens einen und höchstens 999 Übungstexte."};
inline constexpr Cp1252Literal course_bad_minutes{
    "Ein Übungstext dauert mindestens 1 und höchstens 120 Minuten."};
inline constexpr Cp1252Literal course_bad_ramp{
    "Die Effektivgeschwindigkeit braucht die Form A:B mit ganzen Zahlen ab 1, zum Beispiel 5:12."};
inline constexpr Cp1252Literal course_no_words{
    "Die max. Anzahl der Worte im Zufallstext ist 0: es gäbe nur leere Übungstexte."};
inline constexpr Cp1252Literal course_nothing_to_draw{
    "Die Wortlisten enthalten kein passendes Wort und Buchstabengruppen sind ausgeschaltet: "
    "Lektion "};
inline constexpr Cp1252Literal course_no_output_folder{
    "Der Ordner 'eure_Texte' fehlt im Arbeitsordner; es wurde nichts geschrieben."};
inline constexpr Cp1252Literal course_folders_exist{
    "Diese Lektionsordner gibt es schon, sie würden samt Inhalt ersetzt:"};
inline constexpr Cp1252Literal course_overwrite_hint{
    "Nichts wurde geschrieben. Mit --overwrite werden sie ersetzt."};

// Course window
inline constexpr Cp1252Literal open_course_button{"Kurspaket erstellen ..."};
inline constexpr Cp1252Literal course_title{"Kurspaket erstellen"};
inline constexpr Cp1252Literal course_intro{
    "Ein ganzer Koch-Kurs auf einmal: für jede Lektion ein Ordner in 'eure_Texte' mit den "
    "Übungstexten, den mp3-Dateien, dem Lösungsblatt, einem Mitschriftbogen für die Teilnehmer "
    "und einer Wiedergabeliste; dazu eine Kursübersicht."};
inline constexpr Cp1252Literal course_lessons_from{"Lektionen von"};
inline constexpr Cp1252Literal course_to{"bis"};
inline constexpr Cp1252Literal course_texts{"Übungstexte je Lektion"};
inline constexpr Cp1252Literal course_minutes{"Minuten je Text"};
inline constexpr Cp1252Literal course_ramp{"Effektivgeschwindigkeit von"};
inline constexpr Cp1252Literal course_wpm{"WpM"};
inline constexpr Cp1252Literal course_groups{"Fünfergruppen aus den Buchstaben:"};
inline constexpr Cp1252Literal course_groups_auto{"auto (wenn Wörter fehlen)"};
inline constexpr Cp1252Literal course_groups_off{"aus"};
inline constexpr Cp1252Literal course_groups_always{"immer"};
inline constexpr Cp1252Literal course_other_settings{
    "Alle anderen Einstellungen (Wortlisten, Wortlänge, Geschwindigkeit, Wiederholungen, "
    "Ton) kommen aus dem Hauptfenster."};
inline constexpr Cp1252Literal course_start{"Kurspaket erstellen"};
inline constexpr Cp1252Literal course_open_folder{"Ordner öffnen"};
inline constexpr Cp1252Literal course_still_running{
    "Das Kurspaket wird noch erstellt. Bitte warten, bis die mp3-Dateien fertig sind."};
inline constexpr Cp1252Literal course_close_question{
    "Das Kurspaket wird noch erstellt. Abbrechen und das Fenster schließen?\n\n"
    "Ja: ebook2cw wird beendet, die angefangenen mp3-Dateien werden entfernt; vollständig bleiben "
    "die fertigen Lektionen.\nNein: das Kurspaket wird weiter erstellt."};
inline constexpr Cp1252Literal course_replace_question{
    "Diese Lektionsordner gibt es schon. Sollen sie samt Inhalt ersetzt werden?"};
inline constexpr Cp1252Literal course_log_texts{" Textdateien"};
inline constexpr Cp1252Literal course_log_one_text{" Textdatei"};
inline constexpr Cp1252Literal course_log_answer_key{"Lösungsblatt"};
inline constexpr Cp1252Literal course_log_copy_sheet{"Mitschriftbogen"};
inline constexpr Cp1252Literal course_log_sounds{" mp3-Dateien"};
inline constexpr Cp1252Literal course_log_one_sound{" mp3-Datei"};
inline constexpr Cp1252Literal course_log_playlist{"Wiedergabeliste"};
inline constexpr Cp1252Literal course_log_overview{"Kursübersicht"};
inline constexpr Cp1252Literal course_cancel{"Abbrechen"};
inline constexpr Cp1252Literal course_progress_of{" von "};
inline constexpr Cp1252Literal course_progress_lessons{" Lektionen fertig · "};
inline constexpr Cp1252Literal course_progress_sounds{" mp3-Dateien"};
inline constexpr Cp1252Literal course_progress_left{" · noch etwa "};
inline constexpr Cp1252Literal course_progress_minutes{" min"};
inline constexpr Cp1252Literal course_progress_last_minute{" · noch knapp eine Minute"};
inline constexpr Cp1252Literal course_complete_lessons{"Vollständig: "};
inline constexpr Cp1252Literal course_no_complete_lesson{"Keine Lektion ist vollständig."};

// Scoring window
inline constexpr Cp1252Literal open_scoring_button{"Mitschriften auswerten ..."};
inline constexpr Cp1252Literal scoring_title{"Mitschriften auswerten"};
inline constexpr Cp1252Literal scoring_intro{
    "Was ein Teilnehmer mitgeschrieben hat, Text für Text eintragen und auswerten lassen. Die "
    "Ergebnisse kommen in 'eure_Texte/Auswertung/Auswertungen.csv'; ein leerer Text gilt als "
    "nicht mitgeschrieben."};
inline constexpr Cp1252Literal scoring_set{"Satz:"};
inline constexpr Cp1252Literal scoring_older{"<"};
inline constexpr Cp1252Literal scoring_newer{">"};
inline constexpr Cp1252Literal scoring_learner{"Name:"};
inline constexpr Cp1252Literal scoring_text{"Text "};
inline constexpr Cp1252Literal scoring_earlier{"vorige Texte"};
inline constexpr Cp1252Literal scoring_later{"weitere Texte"};
inline constexpr Cp1252Literal scoring_start{"Auswerten"};
inline constexpr Cp1252Literal scoring_no_sets{"(noch keine Übungstexte)"};
inline constexpr Cp1252Literal scoring_no_sets_message{
    "In 'eure_Texte' gibt es noch keine Übungstexte, gegen die eine Mitschrift ausgewertet "
    "werden könnte."};
inline constexpr Cp1252Literal scoring_weakest{"Die meisten Fehler bei: "};
inline constexpr Cp1252Literal scoring_drill{"Übungsset erstellen"};
inline constexpr Cp1252Literal scoring_overview{"Klassenübersicht"};
inline constexpr Cp1252Literal scoring_drill_started{
    "Übungsset geschrieben; die mp3-Dateien werden erzeugt: "};
inline constexpr Cp1252Literal scoring_overview_written{"Klassenübersicht geschrieben: "};

// Class overview
inline constexpr Cp1252Literal class_title{"Klassenübersicht: Fehler je Zeichen"};
inline constexpr Cp1252Literal class_learner{"Teilnehmer"};
inline constexpr Cp1252Literal class_last_set{"letzter Satz"};
inline constexpr Cp1252Literal class_percent{"% Zeichen"};
inline constexpr Cp1252Literal class_weakest{"schwächste"};
inline constexpr Cp1252Literal class_too_few{
    " weniger als 5 Mal gesendet: zu wenig, um etwas zu sagen"};

// Drill sets for a learner's weak characters
inline constexpr Cp1252Literal drill_base{"Uebung_"};
inline constexpr Cp1252Literal drill_for{"Übungsset für "};
inline constexpr Cp1252Literal drill_weak{", schwache Zeichen: "};
inline constexpr Cp1252Literal drill_nothing_scored{
    "Für ein Übungsset braucht es ausgewertete Mitschriften; noch keine gibt es von: "};
inline constexpr Cp1252Literal drill_no_weak{
    "Bei keinem Zeichen mit mindestens 5 gesendeten gibt es Fehler, also nichts gezielt zu "
    "üben für: "};
inline constexpr Cp1252Literal batch_bad_weak{
    "--weak braucht eine ganze Zahl von 1 bis 10, nicht: "};
inline constexpr Cp1252Literal batch_drill_needs{"drill braucht --learner NAME."};

// Copy sheet for the learners
inline constexpr Cp1252Literal copy_sheet_title{"Mitschrift"};
inline constexpr Cp1252Literal copy_sheet_letters{"Zeichen: "};
inline constexpr Cp1252Literal copy_sheet_new_letter{"      neu: "};
inline constexpr Cp1252Literal copy_sheet_character{" WpM Zeichengeschwindigkeit, "};
inline constexpr Cp1252Literal copy_sheet_effective{" WpM Effektivgeschwindigkeit, "};
inline constexpr Cp1252Literal copy_sheet_name_date{
    "Name: ________________________________        Datum: ________________"};
inline constexpr Cp1252Literal copy_sheet_text{"Text "};
inline constexpr Cp1252Literal copy_sheet_correct{"richtig: ____ von "};
inline constexpr Cp1252Literal copy_sheet_words{" Wörtern"};
inline constexpr Cp1252Literal copy_sheet_page{"Seite"};

// Course overview
inline constexpr Cp1252Literal overview_title{"Kursübersicht "};
inline constexpr Cp1252Literal overview_range{"Lektionen "};
inline constexpr Cp1252Literal overview_to{" bis "};
inline constexpr Cp1252Literal overview_each{", je "};
inline constexpr Cp1252Literal overview_texts_of{" Texte zu etwa "};
inline constexpr Cp1252Literal overview_one_text_of{" Text zu etwa "};
inline constexpr Cp1252Literal overview_character{" WpM Zeichengeschwindigkeit, "};
inline constexpr Cp1252Literal overview_seed{
    "Startwert des Zufallsgenerators (--seed), um den Kurs genau so wieder zu erzeugen: "};
inline constexpr Cp1252Literal overview_lesson{"Lektion"};
inline constexpr Cp1252Literal overview_new{"neu"};
inline constexpr Cp1252Literal overview_letters{"Zeichen"};
inline constexpr Cp1252Literal overview_pool{"Wortvorrat"};
inline constexpr Cp1252Literal overview_kind{"Inhalt"};
inline constexpr Cp1252Literal overview_texts{"Texte"};
inline constexpr Cp1252Literal overview_speed{"WpM eff."};
inline constexpr Cp1252Literal overview_per_text{"je Text"};
inline constexpr Cp1252Literal overview_minutes{"Minuten"};
inline constexpr Cp1252Literal overview_about{"ca. "};
inline constexpr Cp1252Literal overview_groups{" Gruppen"};
inline constexpr Cp1252Literal overview_words_kind{" Wörter"};
inline constexpr Cp1252Literal overview_earlier_note{
    "Lektionen mit \"-\" stammen aus einem früheren Durchlauf; die Zahl ihrer Texte und ihre "
    "Minuten sind aus ihren Dateien gezählt."};

// Builder window
inline constexpr Cp1252Literal builder_title{"Wortschatzgenerator"};
inline constexpr Cp1252Literal builder_intro{
    "Dieses Unterprogramm hilft bei der Erzeugung eines eigenen Grundwortschatzes. Aus diesem "
    "Grundwortschatz können dann später die Zufallslisten generiert werden. Eine Ursprungsdatei "
    "muss im "
    "Ordner 'Wortschatz_erweitern'  liegen. Der Text wird dann von ungültigen Zeichen oder "
    "doppelten "
    "Worten gesäubert. Die Wörter werden dann jeweils nach Grösse und dem Anfangsbuchstaben "
    "sortiert. So "
    "können unerwünschte Wörter besser gefunden werden."};
inline constexpr Cp1252Literal builder_caution{
    "Überprüft eure Wortlisten bitte auf Wörter mit unerwünschtem Inhalt um die Teilnehmer eurer "
    "Kurse "
    "nicht zu verschrecken. So muss kein Kind mit Wörtern das morsen erlernen, die nicht für die "
    "Altersgruppe geeignet sind oder z.B. einen fremdenfeindlichen Hintergrund haben. Geht bitte "
    "verantwortungsbewust mit euren Listen um."};
inline constexpr Cp1252Literal builder_rename{
    "Die erzeugte Datei muss dann von dir manuell umbenannt werden in: eigeneDatei.txt und in den "
    "Ordner "
    "'nicht_loeschen' kopiert werden. Nur so kann das Programm darauf zugreifen."};
inline constexpr Cp1252Literal source_file{"Ursprungs-Datei"};
inline constexpr Cp1252Literal source_initial{"text"};
inline constexpr Cp1252Literal txt_extension{".txt"};
inline constexpr Cp1252Literal target_files{"Ziel-Dateien:"};
inline constexpr Cp1252Literal abc_preview_initial{"text_bearbeitet_ABC.txt"};
inline constexpr Cp1252Literal size_preview_initial{"text_bearbeitet_Groesse.txt"};
inline constexpr Cp1252Literal run_builder_button{"Text analysieren, bearbeiten und neu speichern"};
inline constexpr Cp1252Literal builder_help_button{"Hilfe und Information"};
inline constexpr Cp1252Literal adopt_button{"Als eigene Wortliste übernehmen"};
inline constexpr Cp1252Literal adopt_missing{
    "Es gibt noch keine alphabetische Wortliste PATH. Bitte zuerst \"Text analysieren, "
    "bearbeiten und neu speichern\" drücken."};
inline constexpr Cp1252Literal adopt_too_large{
    "Die Wortliste PATH ist zu groß für eine eigene Wortliste (mehr als 64 MB)."};
inline constexpr Cp1252Literal adopt_question{
    "Die Wörter aus PATH werden eure eigene Wortliste OWN (\"eigeneDatei.txt\" im "
    "Hauptfenster)."};
inline constexpr Cp1252Literal adopt_question_replace{
    "\n\nDie bisherige eigene Wortliste wird dabei ersetzt; sie kommt in den Papierkorb."};
inline constexpr Cp1252Literal adopt_question_end{"\n\nÜbernehmen?"};
inline constexpr Cp1252Literal adopt_not_trashed{
    "Die bisherige eigene Wortliste OWN konnte nicht in den Papierkorb gelegt werden. Sie bleibt, "
    "wie sie ist; die neue Liste wurde nicht übernommen."};
inline constexpr Cp1252Literal adopt_not_written{
    "Konnte die eigene Wortliste nicht erstellen! OWN"};
inline constexpr Cp1252Literal adopt_old_in_trash{"\nDie bisherige liegt im Papierkorb."};
inline constexpr Cp1252Literal adopt_done{
    "Übernommen: OWN enthält jetzt die Wörter aus PATH, und \"eigeneDatei.txt\" ist im "
    "Hauptfenster angekreuzt."};
inline constexpr Cp1252Literal builder_folder_note{
    "Alle Dateien befinden sich im Verzeichnis: ' Wortschatz_erweitern'"};
inline constexpr Cp1252Literal builder_part_of{"Dies Unterprogramm ist ein Teil von 'Velkart'"};

// Vocabulary builder: the progress log, one entry per step of the pipeline
inline constexpr Cp1252Literal log_please_wait{"BITTE WARTEN"};
inline constexpr Cp1252Literal log_load{"-Ursprungsdatei laden"};
inline constexpr Cp1252Literal log_build_words{"String erstellen"};
inline constexpr Cp1252Literal log_length_filter{
    "-leere Elemente, überflüssige Leerzeichen und Wörter mit weniger als drei und mehr als zehn "
    "Buchstaben "
    "entfernen"};
inline constexpr Cp1252Literal log_character_filter{
    "-/<>,;.:-_#'+*!§$%&()=?\\}{1234567890|^°~µ€@[]²³"};
inline constexpr Cp1252Literal log_character_filter_more{
    "  und Wörter aus nur einem Buchstaben entfernen"};
inline constexpr Cp1252Literal log_sort{"-Wörter sortieren"};
inline constexpr Cp1252Literal log_duplicates{"-doppelte Wörter entfernen"};
inline constexpr Cp1252Literal log_line{"-langen Text bilden"};
inline constexpr Cp1252Literal log_save{"-speichern"};
inline constexpr Cp1252Literal log_by_length{"-Der Größe nach sortieren"};
inline constexpr Cp1252Literal log_done{" -->beendet"};
inline constexpr Cp1252Literal log_end{"E N D E"};

// Scoring learners' copies: result lines, messages, the register and the learner report
inline constexpr Cp1252Literal score_text_label{"Text "};
inline constexpr Cp1252Literal score_of{" von "};
inline constexpr Cp1252Literal score_words{" Wörtern, "};
inline constexpr Cp1252Literal score_word{" Wort, "};
inline constexpr Cp1252Literal score_characters_right{" Zeichen richtig"};
inline constexpr Cp1252Literal score_extra_words{"; zusätzlich geschrieben: "};
inline constexpr Cp1252Literal score_not_taken{"nicht mitgeschrieben"};
inline constexpr Cp1252Literal score_bad_learner{
    "Der Name wird Teil eines Dateinamens: Er darf nicht leer sein und keines der Zeichen "
    "\\ / : * ? \" < > | und keine Steuerzeichen enthalten!"};
inline constexpr Cp1252Literal score_learner_too_long{"Der Name ist zu lang."};
inline constexpr Cp1252Literal score_no_texts{"Zu diesem Namen gibt es keine Texte, es fehlt: "};
inline constexpr Cp1252Literal score_key_unreadable{"Der Text konnte nicht gelesen werden: "};
inline constexpr Cp1252Literal score_copy_unreadable{
    "Die Mitschrift konnte nicht geöffnet werden: "};
inline constexpr Cp1252Literal score_copy_too_large{
    "Die Mitschrift ist größer als 16 MB und wird nicht gelesen: "};
inline constexpr Cp1252Literal score_copy_empty{"In der Mitschrift steht nichts: "};
inline constexpr Cp1252Literal score_copy_binary{"Die Mitschrift ist keine Textdatei: "};
inline constexpr Cp1252Literal score_too_many_texts{"Die Mitschrift enthält "};
inline constexpr Cp1252Literal score_too_many_texts_but{
    " Texte, zu diesem Namen gibt es aber nur "};
inline constexpr Cp1252Literal score_too_many_texts_end{". Es wurde nichts ausgewertet."};
inline constexpr Cp1252Literal register_unreadable{"Die Auswertung "};
inline constexpr Cp1252Literal register_unreadable_line{" ist in Zeile "};
inline constexpr Cp1252Literal register_unreadable_end{
    " nicht lesbar. Sie bleibt unverändert; bitte die Zeile berichtigen oder die Datei "
    "umbenennen."};
inline constexpr Cp1252Literal register_too_large{
    " ist größer als 64 MB und wird nicht gelesen. Sie bleibt unverändert."};
inline constexpr Cp1252Literal register_not_saved{
    "Die Auswertung konnte nicht gespeichert werden, die bisherige bleibt erhalten: "};
inline constexpr Cp1252Literal register_folder_not_created{
    "Der Ordner für die Auswertung konnte nicht angelegt werden: "};
inline constexpr Cp1252Literal register_missing{"Es gibt noch keine Auswertung: "};
inline constexpr Cp1252Literal register_no_learner{"Für diesen Namen gibt es keine Auswertung: "};
inline constexpr Cp1252Literal register_header{
    "Datum;Name;Satz;Text;Wörter richtig;Wörter gesendet;Zeichen richtig;Zeichen gesendet;"
    "Fehler;gesendete Zeichen"};
inline constexpr Cp1252Literal register_missed{" fehlt "};
inline constexpr Cp1252Literal register_extra{" zuviel "};
inline constexpr Cp1252Literal report_not_written{"Konnte den Lernstand nicht erstellen: "};
inline constexpr Cp1252Literal report_title{"Lernstand "};
inline constexpr Cp1252Literal report_as_of{"Stand: "};
inline constexpr Cp1252Literal report_sets{"Ausgewertete Sätze"};
inline constexpr Cp1252Literal report_number{"Nr."};
inline constexpr Cp1252Literal report_date{"Datum"};
inline constexpr Cp1252Literal report_set{"Satz"};
inline constexpr Cp1252Literal report_texts{"Texte"};
inline constexpr Cp1252Literal report_words_percent{"% Wörter"};
inline constexpr Cp1252Literal report_characters_percent{"% Zeichen"};
inline constexpr Cp1252Literal report_chart{"Zeichen richtig in % je Satz"};
inline constexpr Cp1252Literal report_chart_x{"Satz Nr. (wie in der Tabelle)"};
inline constexpr Cp1252Literal report_chart_y{"%"};
inline constexpr Cp1252Literal report_characters{"Gesendete Zeichen, die schwächsten zuerst"};
inline constexpr Cp1252Literal report_character{"Zeichen"};
inline constexpr Cp1252Literal report_sent{"gesendet"};
inline constexpr Cp1252Literal report_errors{"Fehler"};
inline constexpr Cp1252Literal report_error_rate{"Fehler in %"};
inline constexpr Cp1252Literal report_confusions{"Die zehn häufigsten Verwechslungen"};
inline constexpr Cp1252Literal report_copied{"geschrieben"};
inline constexpr Cp1252Literal report_count{"Anzahl"};
inline constexpr Cp1252Literal report_no_confusions{"Keine Verwechslungen."};
inline constexpr Cp1252Literal report_page{"Seite"};

// Listening conditions (window 4, the sheets and the checks before a run)
inline constexpr Cp1252Literal listening_title{"Hörbedingungen"};
inline constexpr Cp1252Literal open_listening_button{"Hörbedingungen ..."};
inline constexpr Cp1252Literal listening_intro{
    "Übungen, die nach Funkbetrieb klingen. Die Einstellungen gelten für Texte, Kurspakete und "
    "gezieltes Üben, bis sie hier wieder ausgeschaltet werden."};
inline constexpr Cp1252Literal listening_noise{"Rauschen"};
inline constexpr Cp1252Literal listening_snr{"Signal/Rauschen:"};
inline constexpr Cp1252Literal listening_filter{"Filterbreite:"};
inline constexpr Cp1252Literal listening_noise_note{
    "Mit Rauschen klingt jeder Text mit 800 Hz, denn nur dort wird das Rauschen gefiltert."};
inline constexpr Cp1252Literal listening_tone_range{"Tonhöhe je Text zufällig"};
inline constexpr Cp1252Literal listening_tone_from{"von"};
inline constexpr Cp1252Literal listening_tone_to{"bis"};
inline constexpr Cp1252Literal listening_fading{"Fading (QSB)"};
inline constexpr Cp1252Literal listening_fading_depth{"Tiefe:"};
inline constexpr Cp1252Literal listening_fading_period{"Periode:"};
inline constexpr Cp1252Literal listening_pause{"Zeit zum Mitschreiben nach jedem Wort:"};
inline constexpr Cp1252Literal listening_close{"Übernehmen"};
inline constexpr Cp1252Literal listening_db{" dB"};
inline constexpr Cp1252Literal listening_hz{" Hz"};
inline constexpr Cp1252Literal listening_percent{" %"};
inline constexpr Cp1252Literal listening_seconds{" s"};
inline constexpr Cp1252Literal listening_ms{" ms"};
inline constexpr Cp1252Literal listening_off{"aus"};
inline constexpr Cp1252Literal range_dash{"–"};
inline constexpr Cp1252Literal conditions_noise{"Rauschen "};
inline constexpr Cp1252Literal conditions_fading{"Fading "};
inline constexpr Cp1252Literal conditions_tone{"Ton "};
inline constexpr Cp1252Literal conditions_pause{"Zeit zum Mitschreiben "};
inline constexpr Cp1252Literal bad_snr{
    "Der Rauschabstand (String_hoer_snr) muss zwischen -10 und 10 dB liegen."};
inline constexpr Cp1252Literal bad_filter{
    "Die Filterbreite (String_hoer_filter) muss 100, 500 oder 1000 Hz sein. Mit 2100 Hz erzeugt "
    "ebook2cw eine stumme mp3-Datei."};
inline constexpr Cp1252Literal bad_switch{
    "String_hoer_rauschen und String_hoer_ton_zufall können nur 0 (aus) oder 1 (an) sein."};
inline constexpr Cp1252Literal bad_tone_range{
    "Die Tonhöhen je Text (String_hoer_ton_von und String_hoer_ton_bis) müssen zwischen 150 und "
    "3000 Hz liegen, die erste nicht über der zweiten."};
inline constexpr Cp1252Literal bad_fading{
    "Die Tiefe des Fadings (String_hoer_fading) muss 0 (aus) oder 10 bis 90 % sein, seine Periode "
    "(String_hoer_fading_periode) 2 bis 20 s."};
inline constexpr Cp1252Literal bad_pause{
    "Die Zeit zum Mitschreiben (String_hoer_pause) muss zwischen 0 und 5000 ms liegen."};

}  // namespace velkart::texts
