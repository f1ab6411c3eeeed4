#pragma once

#include "ui/forms.h"
#include "ui/ghostguard.h"

// One run of Tolvane over the services it is given: the window registry with
// every window kind registered, the program-wide procedures, and the guard
// against an unreachable process. start() loads the tray host, which starts
// everything else. main() hands in the real services, the tests fakes.
class Program
{
public:
    explicit Program(const Services &services);
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    void start();
    Forms &forms() { return m_forms; }

private:
    void registerWindows();

    Services m_services;
    Forms m_forms;
    GhostGuard m_ghostGuard;
    bool m_firstRunDefaultsWritten = false;
};
