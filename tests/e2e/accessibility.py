#!/usr/bin/env python3
"""Reads Tolvane's windows through AT-SPI as a screen reader does: every
control a user can reach is named (the step boxes also described), and the
pickers, About and the tray dialogs are dialogs."""
import subprocess
import sys
import time

import pyatspi as at

TEXT, LIST, BUTTON, COMBO = {at.ROLE_TEXT, at.ROLE_ENTRY}, {at.ROLE_LIST}, \
    {at.ROLE_PUSH_BUTTON}, {at.ROLE_COMBO_BOX}


def fail(message):
    sys.exit("FAIL: " + message)


def shown(title):
    app = next((a for a in at.Registry.getDesktop(0) if a and a.name.lower() == "tolvane"), [])
    return next((w for w in app if w and w.name == title
                 and w.getState().contains(at.STATE_SHOWING)), None)


def poll(what, condition):
    for _ in range(75):
        try:  # the tree changes under us while windows open and close
            if found := condition():
                return found
        except Exception:
            pass
        time.sleep(0.2)
    fail(what)


def walk(node, into_drop_downs=True):
    yield node
    if into_drop_downs or node.getRole() not in COMBO:
        for child in node:
            yield from walk(child, into_drop_downs)


def control(win, roles, name, description=None):
    node = next((n for n in walk(win) if n.name == name and n.getRole() in roles), None)
    if node is None:
        fail(f"'{win.name}' has no {roles} named '{name}'")
    if description is not None and node.description != description:
        fail(f"'{name}' is described as '{node.description}'")
    return node


def drop_down(win, label):
    """A drop-down's name is the entry it shows; its label names it."""
    for node in walk(win):
        for relation in node.getRelationSet() if node.getRole() in COMBO else []:
            if relation.getRelationType() == at.RELATION_LABELLED_BY and \
                    relation.getTarget(0).name == label:
                return
    fail(f"'{win.name}' has no drop-down labelled '{label}'")


def window(title, role):
    win = poll(f"no window '{title}' is shown", lambda: shown(title))
    if win.getRole() != role:
        fail(f"'{title}' is a {win.getRoleName()}")
    unnamed = [n.getRoleName() for n in walk(win, into_drop_downs=False)
               if n.getState().contains(at.STATE_FOCUSABLE) and not n.name
               and n.getRole() != at.ROLE_LIST_ITEM]
    if unnamed:
        fail(f"'{title}' has unnamed controls: {unnamed}")
    return win


def press(win, name, closes=True):
    control(win, BUTTON, name).queryAction().doAction(0)
    if closes:
        poll(f"'{win.name}' stayed", lambda: shown(win.name) is None)


def keys(title, *sequence):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                           capture_output=True, text=True, check=True).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", found[0], "key", "--delay", "50",
                    *sequence], check=True)


main = window("Tolvane", at.ROLE_FRAME)
for step, question in enumerate([
        "What drive (c, d, e, etc.) is your program on? Please specify the letter plus the "
        "colon (c:, d:, etc.)",
        "What directory is your program in? (c:\\windows, c:\\winword, c:\\excel, etc.)",
        "What is the name of the .EXE file that executes your program? (winword.exe, "
        "excel.exe, etc.)",
        "Please specify a .BAT filename (notepad.bat, wordpad.bat, solitaire.bat)"], 1):
    control(main, TEXT, f"Step {step}", question)

press(main, "Browse for the step 2 directory", closes=False)
picker = window("Open Directory", at.ROLE_DIALOG)
drop_down(picker, "Drives")
control(picker, LIST, "Directories")
control(picker, TEXT, "Directory")
press(picker, "Cancel")

press(main, "Browse for the step 3 program", closes=False)
picker = window("Open Program Directory", at.ROLE_DIALOG)
drop_down(picker, "Drives")
control(picker, LIST, "Directories")
control(picker, LIST, "Files")
control(picker, TEXT, "Filename .EXE:")
press(picker, "Cancel")

keys("Tolvane", "alt+h", "a")
press(window("About Tolvane", at.ROLE_DIALOG), "OK")
# Turning "Load Tray Icon on Startup" off asks first; turning it on tells.
keys("Tolvane", "alt+v", "l")
press(window("Disable Tray Icon", at.ROLE_DIALOG), "Yes")
keys("Tolvane", "alt+v", "l")
press(window("Enable Tray Icon", at.ROLE_DIALOG), "OK")
print("PASS accessibility")
