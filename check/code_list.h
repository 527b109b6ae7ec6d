// The codes of catalix-check, one entry each in order of code: the one list
// from which check/codes.h makes the enum of codes and check/codes.cpp the
// table of their texts.  No include guard: it is included with CHECK_CODE
// defined, once for each use.  The texts say what the readers do with the
// line as written; the manual page catalix-check(1) lists the same codes
// with the same examples.
//
// CHECK_CODE(name, severity, after, title, explanation, example, fix)
//   after: breaks_record when the rest of its line record is then read from
//   the wrong place, so that what the record's later numbers show is a
//   consequence, not said again; else keeps_record.

#ifdef CHECK_CODE

CHECK_CODE(CX101, error, breaks_record,
    "no '$' after a line's redshift on its line",
    "A line that writes its redshift must have a '$' after the number, and\n"
    "the ion name follows the '$'.  The '$' is looked for up to 1000\n"
    "characters on, across line ends, so when the line has none it is found\n"
    "on a later line: the name and the numbers are read from there, and the\n"
    "lines in between are lost.",
    "2.100000 FeII{2382.765} 7386.571 0.010 0.500 0.050",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050")
CHECK_CODE(CX102, error, breaks_record,
    "a header marker ('=' or '$') found only past its line end",
    "A header line holds an '=' before the resolution, before the S/N (or\n"
    "W_min) value and, on the first line, before z_em, and a '$' after the\n"
    "numbers.  Each is looked for up to 1000 characters on, across line\n"
    "ends: a missing one is found on a later line, the value is read from\n"
    "there and what lies in between is skipped.",
    "3500 - 4000 A R 40000 S/N = 20 $ z = 2.5 $ caption",
    "3500 - 4000 A R = 40000 S/N = 20 $ z = 2.5 $ caption")
CHECK_CODE(CX103, error, breaks_record,
    "the quasar name runs past its line end",
    "The name runs from the first character after the spectrum's opening\n"
    "character up to the next '$', wherever it is.  Without a '$' on the\n"
    "spectrum's first line the name takes in the line end and the lines\n"
    "after it up to the next '$' (usually in the header), and the header is\n"
    "then read from the wrong place.",
    "! Q 0000-263 J000322",
    "! Q 0000-263$ J000322")
CHECK_CODE(CX104, error, breaks_record,
    "a marker not found within 1000 characters",
    "A search for a '$' or an '=' read 1000 characters without finding it,\n"
    "or ran into the end of the file.  catalix prints\n"
    "\"file read message: stop_signal 'X' lost\" for it and reads on from\n"
    "wherever the search stopped; this finding is that message's place in\n"
    "the file: one for each message, in the same order, where the search\n"
    "began.",
    "2.100000 FeII{2382.765} 7386.571 0.010 0.500 0.050   (the last '$' of the file)",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050")
CHECK_CODE(CX105, error, breaks_record,
    "a number stops before its field ends",
    "Numbers are read as C reads them: a number ends at the first character\n"
    "that cannot continue it, and the rest of the field is read as the next\n"
    "field or the remark.  A letter O for a zero or a comma for a point\n"
    "does that: in the example the observed wavelength is 7386.5, its error\n"
    "and the width fail at the O and stay -1, and \"O 0.010 0.500 0.050\"\n"
    "becomes the remark.",
    "2.100000$FeII{2382.765} 7386.5O 0.010 0.500 0.050",
    "2.100000$FeII{2382.765} 7386.50 0.010 0.500 0.050")
CHECK_CODE(CX106, error, breaks_record,
    "a blank redshift column that is not eight blanks and a '$'",
    "A line that takes its redshift from the line above starts with a\n"
    "blank; the reader then skips the next eight characters unseen and\n"
    "reads the name from column 10, whatever stands in columns 2 to 9.\n"
    "With seven blanks before the '$' the name loses its first letter (the\n"
    "example reads eII); with nine the name begins with the '$'.",
    "       $FeII{2600.173} 8060.536 0.010 0.400 0.040",
    "        $FeII{2600.173} 8060.536 0.010 0.400 0.040")
CHECK_CODE(CX107, error, breaks_record,
    "a tab, a no-break space or a blank line where a line record starts",
    "Only a blank (the space character) in column 1 means \"no redshift of\n"
    "its own\".  A tab, a no-break space or the line end of a blank line\n"
    "there is read as the start of a written redshift: the number fails,\n"
    "the line's redshift is -1, and -1 is carried to the lines below that\n"
    "leave theirs blank.  A blank line also joins the line after it into\n"
    "the same record.",
    "<tab>        $FeII{2600.173} 8060.536 0.010 0.400 0.040",
    "        $FeII{2600.173} 8060.536 0.010 0.400 0.040")
CHECK_CODE(CX108, error, breaks_record,
    "a blank redshift with nothing to carry over",
    "The first line of a system's line list leaves its redshift blank, but\n"
    "nothing carries over from one system to the next: its redshift is -1\n"
    "(shown blank), and so is that of the lines below it that leave theirs\n"
    "blank too.",
    "        $CIV{1548.204} 4644.612 0.010 0.500 0.050   (first line of a list)",
    "2.000000$CIV{1548.204} 4644.612 0.010 0.500 0.050")
CHECK_CODE(CX109, error, breaks_record,
    "a line after a marker line starts with blanks",
    "After a line that holds only a marker (1e-40, 1e-60 or 1e-80) the\n"
    "reader skips white space, and with it the leading blanks of the next\n"
    "line, so a next line that leaves its redshift blank is read as if it\n"
    "wrote one: the number fails at the '$', and the line's redshift is -1\n"
    "instead of the marker above.",
    "1e-40\n        $CIV{1548.204} 4644.612 0.010 0.500 0.050",
    "1e-40\n2.000000$CIV{1548.204} 4644.612 0.010 0.500 0.050")
CHECK_CODE(CX110, error, breaks_record,
    "a wavelength range whose separator is not three characters",
    "After the first wavelength of an interval the reader skips exactly\n"
    "three characters, as in \" - \", and reads the second from there.  In\n"
    "the example it skips \"-74\" and reads 00: the interval ends at 0.",
    "5300-7400 A R = 40000 S/N = 20 $",
    "5300 - 7400 A R = 40000 S/N = 20 $")
CHECK_CODE(CX111, error, breaks_record,
    "a spectrum without a system, or a header block without an interval",
    "The reader knows no empty level: a spectrum is read as at least one\n"
    "system, a system as a header block and a line list of at least one\n"
    "line, and a header block (unless it opens with '*', a note-only\n"
    "block) as at least one interval.  Where one is missing the lines that\n"
    "follow are read as what is expected, and the rest of the spectrum, or\n"
    "the next one, comes out in the wrong fields.",
    "! Q 0000-263$ J000322\n_",
    "! Q 0000-263$ J000322\n%\n3500 - 4000 A R = 40000 S/N = 20 $ z = 2.5 $ caption\n%\n1e-40\n_")
CHECK_CODE(CX112, error, breaks_record,
    "lines end in CR alone",
    "The readers end lines at a line feed; a carriage return is an ordinary\n"
    "character.  In a file whose lines end in CR alone the whole file is\n"
    "one line: a remark, caption or note takes in the rest of the file,\n"
    "and every later field is read from the wrong place.",
    "! Q 0000-263$ J000322<CR>%<CR>3500 - 4000 A R = 40000 ...",
    "! Q 0000-263$ J000322<LF>%<LF>3500 - 4000 A R = 40000 ...   (tr '\\r' '\\n')")
CHECK_CODE(CX113, error, breaks_record,
    "a byte-order mark at the start of the file",
    "The file's first byte is the first spectrum's opening character, read\n"
    "and dropped unseen.  A UTF-8 byte-order mark puts three bytes before\n"
    "it: the first is taken as the opening character and the other two\n"
    "begin the quasar's name.",
    "<EF BB BF>! Q 0000-263$ J000322",
    "! Q 0000-263$ J000322   (saved as UTF-8 without a byte-order mark)")
CHECK_CODE(CX114, error, breaks_record,
    "the file ends inside a spectrum",
    "A spectrum ends with a line that begins with '_' after its last line\n"
    "list.  The file ends before it: the file was cut short, or the '_' is\n"
    "missing, and the last spectrum's last field is read up to the end of\n"
    "the file.",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050   (the last line)",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050\n_\n#")
CHECK_CODE(CX115, error, breaks_record,
    "a line's numbers go on to the next line",
    "A number is read with the white space before it skipped, line ends\n"
    "included.  A line record that gives fewer numbers than its kind\n"
    "reads (a usual line: rest and observed wavelength, its error, the\n"
    "width and its error) takes the missing ones from the next line, which\n"
    "is then lost as a line of its own.  A blank line inside a header block\n"
    "is passed over the same way.",
    "2.100000$FeII{2382.765} 7386.571 0.010\n2.200000$MgII{2796.352} ...",
    "2.100000$FeII{2382.765} 7386.571 0.010 -1 -1   (-1: not given)")
CHECK_CODE(CX116, error, breaks_record,
    "text after a marker line's number",
    "A line that holds one of the markers 1e-40, 1e-60 or 1e-80 as its\n"
    "redshift carries nothing else: the reader skips the white space after\n"
    "the number and reads whatever follows as the next line record.",
    "1e-40 no line list yet",
    "1e-40")
CHECK_CODE(CX201, warning, keeps_record,
    "an interval whose minimum exceeds its maximum",
    "The first wavelength of an interval is its start and the second its\n"
    "end; an interval that ends before it starts holds no wavelength, and\n"
    "the lines measured in it look as if they lay outside every interval.",
    "7400 - 5300 A R = 40000 S/N = 20 $",
    "5300 - 7400 A R = 40000 S/N = 20 $")
CHECK_CODE(CX202, warning, keeps_record,
    "a negative width or error other than -1",
    "-1 marks a value that is not given; any other negative equivalent\n"
    "width, wavelength error or width error is not a measurement (the\n"
    "values from -1.1 to -0.9 are CX203).",
    "2.100000$FeII{2382.765} 7386.571 0.010 -0.500 0.050",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050")
CHECK_CODE(CX203, warning, keeps_record,
    "a value within 0.1 of -1 that is not -1",
    "The page shows every number from -1.1 to -0.9 as a blank, the mark of\n"
    "a value that is not given, and the query's tests let it pass as one;\n"
    "so -0.95 or -1.05 is shown as nothing and never excludes a line.",
    "2.100000$FeII{2382.765} 7386.571 0.010 -0.95 0.050",
    "2.100000$FeII{2382.765} 7386.571 0.010 -1 0.050")
CHECK_CODE(CX204, warning, keeps_record,
    "a resolution or S/N of 0 or less",
    "A resolution, signal-to-noise ratio or minimum width of 0 or below\n"
    "(other than -1, not given) cannot be meant, and a query's lower bound\n"
    "then leaves the interval out.",
    "3500 - 4000 A R = 0 S/N = 20 $",
    "3500 - 4000 A R = 40000 S/N = 20 $")
CHECK_CODE(CX205, warning, keeps_record,
    "a width from 1000 up to 99990",
    "The width field holds an equivalent width in Angstrom below 1000, or a\n"
    "column density as 100000 + log N from 99990 up.  A value in between\n"
    "is neither, and it passes every width and column density bound of a\n"
    "query.  Usually a digit of 100000 is missing.",
    "2.702000$DLA{} 10020.85 from the damping wings",
    "2.702000$DLA{} 100020.85 from the damping wings")
CHECK_CODE(CX206, warning, keeps_record,
    "a column density with log N outside 10 to 23",
    "A width field of 99990 or more holds 100000 + log N (N in cm^-2); a\n"
    "log N below 10 or above 23 is not the column density of an absorber.",
    "2.702000$DLA{} 100002.85 from the damping wings",
    "2.702000$DLA{} 100020.85 from the damping wings")
CHECK_CODE(CX207, warning, keeps_record,
    "a spectrum name that an earlier spectrum has already",
    "Two spectra of the same name are two entries on the page and in the\n"
    "tables, told apart by their order alone; usually one is a copy of the\n"
    "other, or a name was not changed after copying.",
    "! Q 0000-263$ J000322   (a second time)",
    "! Q 0000-263$ J000322   (once, with the systems of both)")
CHECK_CODE(CX208, warning, keeps_record,
    "an ion name read as another kind than it looks",
    "A line's kind is chosen by the first character of its name: 'D' is a\n"
    "damped Lyman-alpha system (two characters after the name are skipped\n"
    "and one number is read as the column density), 'B', 'L' or 't' a\n"
    "system described in words (the rest of the line is a remark, no number\n"
    "is read).  So DI is read as a damped system and loses its wavelengths,\n"
    "and Lya, Lyb and the like lose all their numbers: write Lyman lines as\n"
    "HI.",
    "2.100000$Lya{1215.670} 3768.577 0.010 0.050 0.010",
    "2.100000$HI{1215.670} 3768.577 0.010 0.050 0.010")
CHECK_CODE(CX209, warning, keeps_record,
    "an ion name of more than nine characters, cut",
    "The name ends at '{' or ':', or after nine characters: then the tenth\n"
    "is read and dropped and the numbers are read from the eleventh on, so\n"
    "that they shift into the wrong fields.",
    "2.100000$HI-Lyalpha{1215.670} 3768.577 0.010 0.050 0.010",
    "2.100000$HI{1215.670} 3768.577 0.010 0.050 0.010")
CHECK_CODE(CX210, warning, keeps_record,
    "an S/N label holding a 'w'",
    "Any 'W' or 'w' between the resolution and the '=' before the fourth\n"
    "value makes that value a minimum equivalent width (W_min), which the\n"
    "query tests as one; a label such as \"low S/N\" does that by accident.",
    "3500 - 4000 A R = 40000 low S/N = 8 $",
    "3500 - 4000 A R = 40000 S/N = 8 $")
CHECK_CODE(CX211, warning, keeps_record,
    "a text cut at 99 characters",
    "A name, label, remark, caption or note keeps at most 99 characters;\n"
    "the rest, up to the text's end, is read and dropped.  Where the cut\n"
    "falls inside a UTF-8 character, the kept text ends in a broken one.",
    "*a note of more than 99 characters ...",
    "*a note of at most 99 characters\n*and its continuation on a second note line")
CHECK_CODE(CX301, warning, keeps_record,
    "observed wavelength differs from rest wavelength x (1 + z_abs)",
    "The observed wavelength should equal the rest wavelength times\n"
    "(1 + z_abs).  Reported when they differ by more than --sigma times the\n"
    "observed wavelength's error (default 3) and by more than --velocity\n"
    "km/s (default 50).  Usually a mistyped digit, a redshift carried from\n"
    "the line above that belongs to another system, or the rest wavelength\n"
    "of the doublet's other line.",
    "2.100000$FeII{2382.765} 7368.571 0.010 0.500 0.050",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050")
CHECK_CODE(CX302, warning, keeps_record,
    "z_abs above z_em by more than 5000 km/s",
    "An absorber lies in front of its quasar: a line's redshift above the\n"
    "header's emission redshift by more than --z-excess km/s (default 5000;\n"
    "absorbers near the quasar lie within a few thousand) is a slip in one\n"
    "of the two.  Systems described in words (BAL and the like) are left\n"
    "out.",
    "3500 - 9000 A R = 40000 S/N = 20 $ z = 2.5 $ caption\n...\n3.100000$CIV{1548.204} 6347.636 0.010 0.500 0.050",
    "3500 - 9000 A R = 40000 S/N = 20 $ z = 3.2 $ caption")
CHECK_CODE(CX303, warning, keeps_record,
    "an observed wavelength outside every observed interval of its header",
    "A header lists the observed stretches of the spectrum that its\n"
    "system was measured in; a line whose observed wavelength lies in none\n"
    "of them was not measured there: the wavelength is wrong, or an\n"
    "interval line is missing.",
    "3500 - 4000 A R = 40000 S/N = 20 $ z = 2.5 $ caption\n...\n2.000000$CIV{1548.204} 4644.612 0.010 0.500 0.050",
    "3500 - 4000 A R = 40000 S/N = 20 $ z = 2.5 $ caption\n4000 - 5000 A R = 40000 S/N = 25 $")
CHECK_CODE(CX304, warning, keeps_record,
    "an ion and rest wavelength not in the table of common transitions",
    "The rest wavelength is held against the laboratory (vacuum)\n"
    "wavelengths of the common transitions of its ion, within\n"
    "--rest-tolerance Angstrom (default 0.05); DLA, LLS and BAL are system\n"
    "types without one.  Blanks in the name do not count (C IV is CIV).  A\n"
    "miss is usually a mistyped digit or an air wavelength; a rare ion that\n"
    "is not in the table can go to the baseline.",
    "2.100000$CIV{1584.204} 4799.432 0.010 0.500 0.050",
    "2.100000$CIV{1548.204} 4799.432 0.010 0.500 0.050")
CHECK_CODE(CX401, note, keeps_record,
    "CR LF line ends",
    "The readers take the CR of a CR LF line end as an ordinary character:\n"
    "numbers read past it, but every remark, caption and note keeps it as\n"
    "its last character, and the page shows it.",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050 blend<CR><LF>",
    "2.100000$FeII{2382.765} 7386.571 0.010 0.500 0.050 blend<LF>   (dos2unix)")
CHECK_CODE(CX402, note, keeps_record,
    "no closing '#'",
    "The catalogue ends with a '#' as the first character after the last\n"
    "spectrum's '_'.  Without it the reader stops at the end of the file,\n"
    "which loses nothing, but a file cut short after a spectrum looks the\n"
    "same.",
    "_   (the last line)",
    "_\n#")
CHECK_CODE(CX403, note, keeps_record,
    "no line end at the end of the file",
    "The file's last line has no line feed.  The readers stop at the end\n"
    "of the file as at a line end, but a file cut short looks the same.",
    "#   (without a line end)",
    "#<LF>")

#endif  // CHECK_CODE
