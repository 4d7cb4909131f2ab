#pragma once
// Where the program keeps its own files: the options file, the access file, the alias
// file and the default data folder "Data" (together: ProgramFolder), and where it reads
// its help file.
//
// Run from a folder it may write that is no installation (the build folder), all of
// them lie beside the program file, as they always have. An installed program (its help
// file in the installation's share folder, "<prefix>/share/vestrix/" for a program in
// "<prefix>/bin/") and a program whose own folder is read-only keep them in the user's
// data folder instead, made on the first start with a fresh access file; the help file
// is then read from the share folder (or from beside the program when there is none).
// An installed program never writes beside itself, even when it could (run as root).

#include <QString>

// What the decision looks at; every folder ends with a separator.
struct TProgramFolderFacts {
    QString programFileFolder;             // the folder of the running program file
    bool programFileFolderWritable = true; // whether the program may write there
    QString shareFolder;                   // the installation's share folder; empty: none
    QString userFolder;                    // the user's data folder
};

// The folders the program uses.
struct TProgramFolderChoice {
    QString programFolder;     // becomes ProgramFolder
    QString helpFile;          // becomes HelpFile
    bool inUserFolder = false; // programFolder is the user's folder, made on first use
};

TProgramFolderChoice DecideProgramFolder(const TProgramFolderFacts& facts);

// The folder of the running program file, with a trailing separator.
QString RunningProgramFolder();
// The installation's share folder of a program file in the given folder, with a
// trailing separator, when it holds the help file; empty otherwise.
QString InstalledShareFolder(const QString& programFileFolder);
// Whether the program may create files in the folder.
bool FolderWritable(const QString& folder);
// The user's data folder: "Vestrix" in the user's data location (for example
// ~/.local/share/Vestrix/), with a trailing separator.
QString UserDataFolder();
// The facts of the running program.
TProgramFolderFacts RunningProgramFolderFacts();

// Makes the user's folder ready for its first start: creates the folder and, while it
// holds neither the options file nor the access file, writes a fresh access file (no
// level has a password). Files already there are kept, so the passwords installed
// since survive any reinstall of the program; an access file that is missing beside an
// options file is not replaced (start-up then says that it is missing). Returns an
// empty text on success, otherwise the message for the error box.
QString PrepareUserFolder(const QString& folder);
