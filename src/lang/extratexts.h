#pragma once

// Texts the program needs beyond the 268 items of a language block. They stand in items
// 269..300 of each block of textos.sys and in the language's extension block (items
// 301..600, after the five blocks); TextTables::extra[n] holds item 268 + n.
// "%1", "%2" are filled in with QString::arg.
namespace orvex::extra {

// clang-format off
enum : int {
  OutOfRangeTitle = 1,      // 269 "Values without an option"
  OutOfRangePrompt = 2,     // 270 settings %1 hold values the editor has no option for ...
  FileErrorTitle = 3,       // 271 "Configuration file"
  FileUnreadable = 4,       // 272 file %1 cannot be read: %2. Nothing was loaded.
  FileTooShort = 5,         // 273 file %1 holds fewer than 63 values. Nothing was loaded.
  FileBadNumber = 6,        // 274 line %2 of file %1 is not a whole number -32768..32767 ...
  DefaultMissing = 7,       // 275 default configuration file %1 is missing or names no file
  PortErrorTitle = 8,       // 276 "Serial port"
  PortOpenFailed = 9,       // 277 port %1 cannot be opened: %2 (a reason below, 376..378)
  PortLost = 10,            // 278 the serial port was lost during the transfer: %1 (379) ...
  PartialWrite = 11,        // 279 slots before %1 are written, slot %1 failed (was refused):
                            //     the instrument holds a partly written configuration.
  NameInvalidTitle = 12,    // 280 "File name not valid"
  NameInvalid = 13,         // 281 "%1" cannot be a file name: no \ / : * ? " < > |, control
                            //     characters, "..", drive, device names (CON, COM1 ...),
                            //     trailing dot or blank. Nothing was written.
  WriteFailedTitle = 14,    // 282 "File not written"
  WriteFailed = 15,         // 283 file %1 could not be written: %2. Any previous file is
                            //     unchanged. Check the folder exists and the disk is not full.
  TransferBusyTitle = 16,   // 284 "Transfer under way"
  TransferBusy = 17,        // 285 a transfer with the instrument is under way; wait for it to
                            //     end (the program closes when it has stopped).
  ReportWritten = 18,       // 286 report file %1 written (shown in the Report window's status)
  NumberRange = 19,         // 287 number boxes take whole numbers 0..65535 (tooltip)
  ReportCancel = 20,        // 288 Report.Command2, GrabQVT.Command2
  ParityNone = 21,          // 289 ConfigCOM.ParidadNo
  ParityOdd = 22,           // 290 ConfigCOM.ParidadImpar
  ParityEven = 23,          // 291 ConfigCOM.ParidadPar
  NotVerifiedTitle = 24,    // 292 "Write not verified"
  NotVerified = 25,         // 293 written, but the read-back failed: read it again or rewrite
  PortAbsent = 26,          // 294 serial port %1 is not present: plug in or choose another
  IdentityBlocked = 27,     // 295 reads and writes held since an identification failure
  // 296..300 reserved; the extension block follows.
  FileTooLarge = 33,        // 301 file %1 too large (%2 bytes) for its kind: not read
  QvtExtraValues = 34,      // 302 file %1 holds more than 63 values (line %2): damaged
  SettingsDamaged = 35,     // 303 settings '%1' in %2 not understood: choose and save again
  NotStorable = 36,         // 304 '%1' holds characters the files cannot hold (%2)
  SalvarHint = 37,          // 305 ConfigCOM: choose an option in every group to save
  // 306..321: the printable report's own words
  DocDate = 38,             // 306 "Date"
  DocVersion = 39,          // 307 "Program version"
  DocPreheating = 40,       // 308 "Preheating"
  DocStopType = 41,         // 309 "Stop type"
  DocVoltage = 42,          // 310 "Voltage"
  DocFrequency = 43,        // 311 "Frequency"
  DocInput = 44,            // 312 "Input"
  DocInputFuel = 45,        // 313..317 the inputs: low fuel, high temperature, external
  DocInputTemperature = 46, //          alarm, alternator overload, low oil pressure
  DocInputExternal = 47,
  DocInputOverload = 48,
  DocInputOil = 49,
  DocInstaller = 50,        // 318 "Installer"
  DocSite = 51,             // 319 "Site"
  DocSignature = 52,        // 320 "Signature"
  DocPage = 53,             // 321 "Page %1 of %2"
  // 322..332: the Report window
  ReportStep1 = 54,         // 322..326 the five steps; 323 + Report/Txt, 324 + Report/Doc
  ReportPrint = 59,         // 327 Command3 "Print..."
  ReportOpen = 60,          // 328 Command4 "Open report"
  ReportPdfFailed = 61,     // 329 document %1 not written: %2; data file %3 written
  ReportBothWritten = 62,   // 330 "Report written: %1 and %2."
  ReportNoDocument = 63,    // 331 Label7: Print and Open need the shown serial's document
  ReportNoViewer = 64,      // 332 no program opens PDF documents; it is in %2
  // 333..358: the comparison of the editor with the controller or a file
  CompareCommand = 65,      // 333 ConfigQVT.Command7
  CompareTitle = 66,        // 334 title of Compara
  CompareWith = 67,         // 335 Compara.Frame1
  CompareController = 68,   // 336 Option1: the connected controller, read now
  CompareFile = 69,         // 337 Option2: a configuration file from CONFIG
  CompareRun = 70,          // 338 Command1
  CompareTakeOne = 71,      // 339 Command2
  CompareTakeAll = 72,      // 340 Command3
  CompareClose = 73,        // 341 Command4
  CompareNote = 74,         // 342 Label1: only differences; nothing written from here
  CompareSettingColumn = 75,     // 343..346 column headers; 346 "File %1"
  CompareEditorColumn = 76,
  CompareControllerColumn = 77,
  CompareFileColumn = 78,
  CompareNoDifferences = 79,  // 347
  CompareDifferCount = 80,    // 348 "Settings that differ: %1"
  CompareTicked = 81,         // 349..351 a check box ticked, not ticked; none of three ticked
  CompareNotTicked = 82,
  CompareNoneTicked = 83,
  CompareWithoutOption = 84,  // 352 "%1 (value without an option)"
  ComparePickFile = 85,       // 353 no file picked
  CompareReadFailed = 86,     // 354 the controller could not be read: nothing compared
  CompareNotTakeable = 87,    // 355 values without an option stay listed
  CompareChangedByEditor = 88,  // 356 the editor's reactions changed values taken
  CompareTaken = 89,          // 357 taken into the editor only
  CompareBusy = 90,           // 358 another transfer is under way
  // 359..370: link diagnostics
  PortNoPermission = 91,    // 359 %1 may not be used by this user: group %2, sudo adduser %3 %2
  PortsFrame = 92,          // 360 ConfigCOM "Ports on this PC"
  PortNotPresent = 93,      // 361 "not present"
  PortLink = 94,            // 362 "Link"
  PortChooseAdapter = 95,   // 363 "(choose an adapter)"
  PortLinkFailed = 96,      // 364 COM%1 could not be made to lead to %2: %3 (380 or 381)
  LogTitle = 97,            // 365 the frame log window's title
  LogButton = 98,           // 366 "Frames..." (editor, progress window)
  LogSave = 99,             // 367 "Save log"
  LogSaved = 100,           // 368 "Log saved in %1."
  LogEmpty = 101,           // 369 no transfer yet
  LogClose = 102,           // 370 "Close"
  // 371..375: a write's doubtful slot, a refused request, GrabQVT's Cancel
  SlotInDoubt = 103,        // 371 slots before %1 written; slot %1 may or may not have been
  FirstSlotInDoubt = 104,   // 372 slot %1 may or may not have been written: may hold changes
  Refused = 105,            // 373 the controller answered but refused the request (code %1)
  CannotCancel = 106,       // 374 GrabQVT.Command2 while registers are written
  CannotCancelWhy = 107,    // 375 its tooltip: why the write runs to its end
  // 376..381: port failures in the program's own words
  PortBusy = 108,           // 376 another program is using %1 (COMn)
  PortNotSerial = 109,      // 377 %1 (the device) is not a serial port
  PortRefused = 110,        // 378 any other refusal; the system's words are in the frame log
  PortUnplugged = 111,      // 379 the adapter was unplugged or stopped answering
  PortLinkNotALink = 112,   // 380 the program folder holds a file COM%1 that is not a link
  PortLinkRefused = 113,    // 381 the link was not allowed: can the program folder be written?
  // 382..386: why a file was not written (the %2 of 283), in the program's own words
  FolderMissing = 114,      // 382 the folder %1 does not exist
  NotAFolder = 115,         // 383 %1 is a file, not a folder
  FolderReadOnly = 116,     // 384 this user may not write in the folder %1
  DiskFull = 117,           // 385 the disk is full
  WriteRefused = 118,       // 386 any other refusal
  // 387..389: the user's folder of an installed program
  FolderTitle = 119,        // 387 "Folder for your files"
  FolderNotMade = 120,      // 388 folder %1 cannot be made: %2; the delivered files of %3 are
                            //     read, nothing can be saved
  EntryNotMade = 121,       // 389 %1 could not be put into the folder: %2; goes on with it
  // 390..408: the printed report's record of its values, and the Report window
  DocModel = 122,           // 390 "Model"
  DocModelUnknown = 123,    // 391 the values do not record the model
  DocSource = 124,          // 392 "Values"
  DocSourceController = 125,  // 393 "read from the controller on %1 at %2"
  DocSourceFile = 126,      // 394 "configuration file %1"
  DocSourceEditor = 127,    // 395 the editor's values, changed and not saved
  DocNumber = 128,          // 396 "Document no."
  DocCustomer = 129,        // 397 "Customer"
  DocUnitSeconds = 130,     // 398..400 units: seconds, revolutions per minute, pulses per
  DocUnitRpm = 131,         //          revolution
  DocUnitPulses = 132,
  DocSubject = 133,         // 401 the PDF's subject
  ReportValuesFrame = 134,  // 402 Report.Frame3
  ReportFromEditor = 135,   // 403 Option1
  ReportFromRead = 136,     // 404 Option2: the last read (%1 port, %2 time)
  ReportNoRead = 137,       // 405 Option2 before any read
  ReportReady = 138,        // 406 after the status line: print it or open it
  ReportClose = 139,        // 407 Command2 once a report is written
  ReportNoViewerTitle = 140,  // 408 "No PDF viewer"
  // 409..416: orvex-cli's own words where the windowed texts name windows and buttons
  CliPortAbsent = 141,      // 409 PortAbsent: name another port with --port
  CliNotVerified = 142,     // 410 NotVerified: read it with 'orvex-cli read'
  CliIdentityFailed = 143,  // 411 message text 43: run the command again
  CliNotRecognised = 144,   // 412 message text 45: check where the port leads
  CliIdentityBlocked = 145, // 413 IdentityBlocked: run the command again
  CliOutOfRange = 146,      // 414 OutOfRangePrompt: not used here; correct in the editor
  CliNothingWritten = 147,  // 415 a write that stopped before its first register
  CliRestarting = 148,      // 416 the progress line during the restart: %1 seconds left
  // 417..418: the command line stopped by Ctrl-C or a signal
  FinishingWrite = 149,     // 417 finishing the write on %1 (port) ...; Ctrl-C again stops at once
  StoppedNothingWritten = 150,  // 418 stopped by an interruption: nothing written
  // 419..444: the history of writes, the copy kept before each write, the Historial window
  HistoryCommand = 151,     // 419 ConfigQVT.Command9
  HistoryTitle = 152,       // 420 title of Historial
  HistoryNote = 153,        // 421 Label1: a copy before every write; load it and write it back
  HistoryDateColumn = 154,  // 422..427 column headers of List1
  HistoryPortColumn = 155,
  HistoryWrittenColumn = 156,  // also the comparison's column of what a write sent
  HistoryOutcomeColumn = 157,
  HistoryBeforeColumn = 158,
  HistoryChangedColumn = 159,
  HistoryShowChanges = 160,  // 428 Command1
  HistoryLoadBefore = 161,   // 429 Command2
  HistoryClose = 162,        // 430 Command3
  HistoryEmpty = 163,        // 431 no write recorded yet
  HistoryNoCopy = 164,       // 432 the write picked has no copy
  HistoryLoaded = 165,       // 433 %1 (the copy) is in the editor: write it to put it back
  HistoryVerified = 166,     // 434..437 the outcomes of history.csv in the user's language
  HistoryUnverified = 167,
  HistoryPartial = 168,      //     %1 the slot
  HistoryFailedBefore = 169,
  HistoryEditorSource = 170,  // 438 the editor's values were written
  CopyNotKept = 171,          // 439 no copy could be kept (%1 why): nothing written
  AskWithoutCopy = 172,       // 440 write without a copy? cannot be restored afterwards
  CopyTitle = 173,            // 441 "Copy before writing"
  CopyNotRead = 174,          // 442 the %1 of 439: the controller could not be read
  CliWithoutCopy = 175,       // 443 --no-backup writes without a copy
  CliCopyKept = 176,          // 444 what the controller held is kept in %1
};
// clang-format on

}  // namespace orvex::extra
