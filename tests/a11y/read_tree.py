#!/usr/bin/env python3
"""Reads the program's windows through the AT-SPI bus as a screen reader does and checks what it hears.

Usage: read_tree.py A11Y_APP. Run inside a private session bus and X server (see CMakeLists.txt). Starts the
program, waits (bounded) for its windows to appear on the bus, prints the tree, checks names, roles, relations
and the links' actions, and always stops the program.
"""
import os
import select
import subprocess
import sys
import time

import pyatspi

APP_NAME = "vornel"
WAIT_SECONDS = 40
SITE = "http://vornel.example"
SUPPORT = "http://vornel.example/support.php"

failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def children(acc):
    try:
        return [acc.getChildAtIndex(i) for i in range(acc.childCount)]
    except Exception:
        return []


def walk(acc, depth=0):
    yield acc, depth
    for child in children(acc):
        if child is not None:
            yield from walk(child, depth + 1)


def role(acc):
    return acc.getRoleName()


def find_app():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if app is not None and app.name == APP_NAME:
            return app
    return None


def windows_of(app):
    return {role(w): w for w in children(app) if w is not None}


def wait_for_windows(proc):
    deadline = time.monotonic() + WAIT_SECONDS
    while time.monotonic() < deadline:
        if proc.poll() is not None:
            raise SystemExit("the program ended early with %s" % proc.returncode)
        app = find_app()
        if app is not None:
            wins = windows_of(app)
            if "frame" in wins and "dialog" in wins:
                return wins
        time.sleep(0.2)
    raise SystemExit("the program's windows never appeared on the accessibility bus")


def dump(window):
    for acc, depth in walk(window):
        desc = acc.description
        print("%s[%s] %r%s" % ("  " * depth, role(acc), acc.name, " — " + desc if desc else ""))


def named(window, role_name, name):
    return [a for a, _ in walk(window) if role(a) == role_name and a.name == name]


def one(window, role_name, name):
    found = named(window, role_name, name)
    check(len(found) == 1, "%s %r is there once (found %d)" % (role_name, name, len(found)))
    return found[0] if found else None


def relation_targets(acc, relation_type):
    targets = []
    for relation in acc.getRelationSet():
        if relation.getRelationType() == relation_type:
            targets += [relation.getTarget(i) for i in range(relation.getNTargets())]
    return targets


def check_labelled(window, list_acc, heading):
    label = one(window, "label", heading)
    if list_acc is None or label is None:
        return
    # The toolkit gives the reverse relation (labelled by) only for a label beside the list, and the headings
    # sit in strips of their own; a screen reader gets the heading as the list's name all the same.
    to = relation_targets(label, pyatspi.RELATION_LABEL_FOR)
    check(any(role(t) == "list" and t.name == heading for t in to),
          "heading %r is the label for its list" % heading)


def check_main(frame):
    check(frame.name == "Ворнель [light] 1.13", "main window named %r" % frame.name)
    printers = one(frame, "list", "Выбор принтера")
    templates = one(frame, "list", "Выбор шаблона печати")
    check_labelled(frame, printers, "Выбор принтера")
    check_labelled(frame, templates, "Выбор шаблона печати")
    if printers is not None:
        rows = [c.name for c in children(printers) if role(c) == "list item"]
        check(rows == ["Office_Laser", "Photo_Inkjet", "PDF"], "printer rows read %r" % rows)
    if templates is not None:
        rows = [c.name for c in children(templates) if role(c) == "list item"]
        check(len(rows) == 3 and rows[0] == "Черный конверт, сплошные линии", "template rows read %r" % rows)
    preview = one(frame, "image", "Предпросмотр конверта: Черный конверт, сплошные линии")
    button = one(frame, "push button", "Печать")
    if button is not None:
        check(button.getState().contains(pyatspi.STATE_FOCUSABLE), "the print button takes the focus")
    menubar = [a for a, _ in walk(frame) if role(a) == "menu bar"]
    check(len(menubar) == 1 and menubar[0].name == "Главное меню", "the menu bar is named")
    if menubar:
        menus = [c.name for c in children(menubar[0])]
        check(menus == ["Файл", "Справка"], "menus read %r" % menus)
    # Every control a user can reach or read has a name.
    controls = {"list", "list item", "push button", "image", "menu bar", "menu item", "menu", "label", "link"}
    unnamed = [role(a) for a, _ in walk(frame) if role(a) in controls and not a.name]
    check(not unnamed, "every control of the main window is named (unnamed: %r)" % unnamed)
    del preview


def check_about(dialog, out):
    check(dialog.name == "О программе...", "About dialog named %r" % dialog.name)
    one(dialog, "push button", "Закрыть")
    for caption, url in (("Сайт программы", SITE), ("Техническая поддержка", SUPPORT)):
        link = one(dialog, "link", caption)
        if link is None:
            continue
        check(link.description == url, "link %r describes its address %r" % (caption, link.description))
        check(link.getState().contains(pyatspi.STATE_FOCUSABLE), "link %r takes the focus" % caption)
        action = link.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        check("Press" in names, "link %r offers Press (actions %r)" % (caption, names))
        if "Press" in names:
            action.doAction(names.index("Press"))
            line = out.readline(10)
            check(line == "opened " + url, "pressing link %r opened %r" % (caption, line))


class Lines:
    """Lines of a pipe, each awaited no longer than a given time."""

    def __init__(self, pipe):
        self.pipe = pipe
        self.buffer = b""

    def readline(self, seconds):
        deadline = time.monotonic() + seconds
        while b"\n" not in self.buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.pipe], [], [], left)[0]:
                return ""
            chunk = os.read(self.pipe.fileno(), 4096)
            if not chunk:
                return ""
            self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return line.decode()


def main():
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    proc = subprocess.Popen([sys.argv[1], "about"], stdout=subprocess.PIPE, env=env)
    try:
        wins = wait_for_windows(proc)
        for window in wins.values():
            dump(window)
        check_main(wins["frame"])
        check_about(wins["dialog"], Lines(proc.stdout))
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    if failures:
        print("%d check(s) failed" % len(failures))
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
