#!/usr/bin/env python3
"""Reads Tolvane's windows through AT-SPI as a screen reader does: every
control a user can reach has a name (and the steps their questions), and the
pickers, About and the tray dialogs are dialogs. Windows are opened through
the accessible actions of the buttons, or with keys sent by xdotool."""
import subprocess
import sys
import time

import pyatspi

TEXT = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}
LIST = {pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE}
BUTTON = {pyatspi.ROLE_PUSH_BUTTON}
COMBO = {pyatspi.ROLE_COMBO_BOX}
CHECK = {pyatspi.ROLE_CHECK_BOX}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def poll(what, find, seconds=15):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows open
            found = None
        if found is not None:
            return found
        time.sleep(0.2)
    fail(what)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "tolvane":
            return app
    return None


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def window(title):
    def find():
        for win in application() or []:
            if win is not None and win.name == title and \
                    win.getState().contains(pyatspi.STATE_SHOWING):
                return win
        return None
    return poll(f"no window '{title}' is shown to AT-SPI", find)


def gone(title):
    def find():
        for win in application() or []:
            if win is not None and win.name == title and \
                    win.getState().contains(pyatspi.STATE_SHOWING):
                return None
        return True
    poll(f"the window '{title}' stayed", find)


def describe(win):
    return "; ".join(f"{n.getRoleName()} '{n.name}'" for n in walk(win)
                     if n.getState().contains(pyatspi.STATE_FOCUSABLE))


def control(win, roles, name, description=None):
    for node in walk(win):
        if node.name == name and node.getRole() in roles:
            if description is not None and node.description != description:
                fail(f"'{name}' in '{win.name}' is described as '{node.description}'")
            return node
    fail(f"'{win.name}' has no {sorted(str(r) for r in roles)} named '{name}': "
         f"{describe(win)}")


def drop_down(win, name):
    """A drop-down's name is the entry it shows; its label names it."""
    for node in walk(win):
        if node.getRole() in COMBO:
            for relation in node.getRelationSet():
                if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and \
                        relation.getTarget(0).name == name:
                    return node
    fail(f"'{win.name}' has no drop-down labelled '{name}'")


def unnamed_controls(win):
    """Focusable controls without a name; a drop-down's own list and the rows
    of lists are named by what they show."""
    def parts(node, depth=0):
        if node is None or depth > 40:
            return
        yield node
        if node.getRole() in COMBO:
            return
        for i in range(node.childCount):
            yield from parts(node.getChildAtIndex(i), depth + 1)
    return [n.getRoleName() for n in parts(win)
            if n.getState().contains(pyatspi.STATE_FOCUSABLE) and not n.name
            and n.getRole() not in {pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL}]


def dialog(title):
    win = window(title)
    if win.getRole() != pyatspi.ROLE_DIALOG:
        fail(f"'{title}' is a {win.getRoleName()}, not a dialog")
    if unnamed_controls(win):
        fail(f"'{title}' has unnamed controls: {unnamed_controls(win)}")
    return win


def press(button):
    button.queryAction().doAction(0)


def keys(title, *sequence):
    win = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                         capture_output=True, text=True).stdout.split()
    if not win:
        fail(f"xdotool finds no window '{title}'")
    subprocess.run(["xdotool", "windowfocus", "--sync", win[0], "key", "--delay", "50",
                    *sequence], check=True)


main = window("Tolvane")
if unnamed_controls(main):
    fail(f"the main window has unnamed controls: {unnamed_controls(main)}")
for step, question in [
        (1, "What drive (c, d, e, etc.) is your program on? Please specify the letter plus "
            "the colon (c:, d:, etc.)"),
        (2, "What directory is your program in? (c:\\windows, c:\\winword, c:\\excel, etc.)"),
        (3, "What is the name of the .EXE file that executes your program? (winword.exe, "
            "excel.exe, etc.)"),
        (4, "Please specify a .BAT filename (notepad.bat, wordpad.bat, solitaire.bat)")]:
    control(main, TEXT, f"Step {step}", question)
for name in ["OK", "Exit"]:
    control(main, BUTTON, name)

press(control(main, BUTTON, "Browse for the step 2 directory"))
picker = dialog("Open Directory")
drop_down(picker, "Drives")
control(picker, LIST, "Directories")
control(picker, TEXT, "Directory")
press(control(picker, BUTTON, "Cancel"))
gone("Open Directory")

press(control(main, BUTTON, "Browse for the step 3 program"))
picker = dialog("Open Program Directory")
drop_down(picker, "Drives")
control(picker, LIST, "Directories")
control(picker, LIST, "Files")
control(picker, TEXT, "Filename .EXE:")
press(control(picker, BUTTON, "Cancel"))
gone("Open Program Directory")

keys("Tolvane", "alt+h", "a")
about = dialog("About Tolvane")
press(control(about, BUTTON, "OK"))
gone("About Tolvane")

# Turning "Load Tray Icon on Startup" off asks first; on again tells.
keys("Tolvane", "alt+v", "l")
question = dialog("Disable Tray Icon")
control(question, BUTTON, "No")
press(control(question, BUTTON, "Yes"))
gone("Disable Tray Icon")
keys("Tolvane", "alt+v", "l")
told = dialog("Enable Tray Icon")
control(told, CHECK, "Show this window in the future")
press(control(told, BUTTON, "OK"))
gone("Enable Tray Icon")
print("PASS accessibility")
