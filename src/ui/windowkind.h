#pragma once

// Every kind of window the program has. Windows refer to each other by kind,
// so a window family never needs another family's classes; the wiring at the
// top registers which class makes each kind.
enum class WindowKind {
    TrayHost,
    MainWindow,
    Confirmation,
    DirectoryPicker,
    ProgramPicker,
    About,
    EnableTrayIcon,
    DisableTrayIcon,
};
