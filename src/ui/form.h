#pragma once

#include "core/preferences.h"

class Forms;
struct Services;

// A window kind of the program: one instance at most, created by its first
// reference through Forms, with load handling run at creation and unload
// handling run before it is destroyed.
class Form
{
public:
    explicit Form(Forms &forms) : m_forms(forms) {}
    virtual ~Form() = default;
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

protected:
    virtual void loadHandling() {}
    virtual void unloadHandling() {}

    Forms &forms() const { return m_forms; }
    Services &services() const;
    Preferences preferences() const;

private:
    friend class Forms;
    Forms &m_forms;
};
