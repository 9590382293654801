#!/usr/bin/python3
"""Under a virtual display and a session bus of its own, a client reads the editor's diagram
through AT-SPI, selects an element by its action, walks on with the Down key and edits a text
through the input box. A missing tool is a failure.  usage: diagram_tree.py PATH-OF-TAVELON"""
import os
import shutil
import subprocess
import sys
import tempfile
import time


def fail(message):
    sys.exit("FEHLER: " + message)


def wait_for(what, find):
    for _ in range(150):
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail(what + " nicht gefunden")


def find(what, root, test):
    def below(a):
        yield a
        for i in range(a.childCount):
            yield from below(a.getChildAtIndex(i))
    return wait_for(what, lambda: next((a for a in below(root) if test(a)), None))


def check(pyatspi, app):
    shown = find("Baum", app, lambda a: a.getRole() == pyatspi.ROLE_TREE).getChildAtIndex(0)
    # Qt gives tree items the role of table cells on this bus.
    if shown.getRole() not in (pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_TABLE_CELL):
        fail("Rolle " + shown.getRoleName())
    yes = shown.getChildAtIndex(1).getChildAtIndex(0)
    statement, loop = yes.getChildAtIndex(0), shown.getChildAtIndex(2)
    names = [shown.getChildAtIndex(i).name for i in range(shown.childCount)]
    names += [yes.name, statement.name]
    if names != ["Anweisung: x := 1", "Entscheidung: x > 0", "Schleife (Test vorher): i < 10",
                 "Ja-Block", "Anweisung: y := 2"]:
        fail("Namen %s" % names)
    actions = statement.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if names != ["Auswählen", "Text bearbeiten"]:
        fail("Aktionen %s" % names)
    actions.doAction(0)
    wait_for("Auswahl", lambda: statement.getState().contains(pyatspi.STATE_SELECTED))
    if not statement.getState().contains(pyatspi.STATE_SHOWING):
        fail("nicht sichtbar")
    # A click on the selected statement gives the window the keyboard; Down walks on to the loop.
    box = statement.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    time.sleep(0.3)
    pyatspi.Registry.generateKeyboardEvent(0xFF54, None, pyatspi.KEY_SYM)  # Down
    wait_for("Auswahl nach Pfeil ab", lambda: loop.getState().contains(pyatspi.STATE_SELECTED))
    # "Text bearbeiten" opens the input box; the loop's name follows the text typed into it.
    loop.queryAction().doAction(1)
    find("Eingabefeld", app, lambda a: a.getRole() == pyatspi.ROLE_TEXT and a.getState().contains(
        pyatspi.STATE_EDITABLE)).queryEditableText().setTextContents("i < 20")
    find("OK", app, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
         and a.name == "OK").queryAction().doAction(0)
    wait_for("neuer Name",
             lambda: shown.getChildAtIndex(2).name == "Schleife (Test vorher): i < 20")


def main():
    tavelon = os.path.abspath(sys.argv[1])
    if not os.environ.get("TAVELON_ATSPI_BUS"):
        for tool in ["Xvfb", "dbus-run-session", "/usr/libexec/at-spi-bus-launcher"]:
            if not shutil.which(tool):
                fail(tool + " fehlt (Pakete xvfb, dbus-bin, at-spi2-core)")
        # The display comes first: the bus starts the registry, which sends keys and clicks to it.
        read, write = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-nolisten", "tcp"],
                                pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        display = ":" + os.fdopen(read).readline().strip()
        env = dict(os.environ, TAVELON_ATSPI_BUS="1", DISPLAY=display)
        try:
            sys.exit(subprocess.call(["dbus-run-session", "--", sys.executable, __file__, tavelon],
                                     env=env))
        finally:
            xvfb.terminate()
    with tempfile.TemporaryDirectory() as home:
        text, design = os.path.join(home, "p.txt"), os.path.join(home, "p.str")
        with open(text, "w") as out:
            out.write("x := 1;\r\nif (x > 0) y := 2;\r\nwhile (i < 10) i := i + 1;\r\n")
        subprocess.run([tavelon, "--import-text", text, design], check=True)
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        editor = subprocess.Popen([tavelon, design], env=env)
        try:
            try:
                import pyatspi  # once the display is known
            except ImportError:
                fail("pyatspi fehlt (Pakete python3-pyatspi, gir1.2-atspi-2.0)")
            desktop = pyatspi.Registry.getDesktop(0)
            check(pyatspi, wait_for("Programm", lambda: next(
                (a for a in desktop if a and a.get_process_id() == editor.pid), None)))
        finally:
            editor.terminate()
    print("AT-SPI: Baum, Namen, Aktionen, Auswahl, Pfeiltaste und Textbearbeitung erreicht")


if __name__ == "__main__":
    main()
