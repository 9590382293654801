#!/usr/bin/python3
"""The diagram reaches the desktop's accessibility bus.

Starts a virtual display and a private session bus (with the accessibility bus that
at-spi2-core starts on demand), runs the editor on a small design and reads its diagram
through AT-SPI as a screen reader does: the names of the elements, selecting one by its
action and its selected state. Fails when a tool it needs is missing.

usage: diagram_tree.py PATH-OF-TAVELON
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

NEEDED = ["Xvfb", "dbus-run-session", "/usr/libexec/at-spi-bus-launcher"]


def fail(message):
    print("FEHLER: " + message, file=sys.stderr)
    sys.exit(1)


def under_private_bus(tavelon):
    """Runs this script again inside a session bus of its own."""
    for tool in NEEDED:
        if not shutil.which(tool):
            fail(tool + " fehlt (Pakete xvfb, dbus-bin, at-spi2-core)")
    env = dict(os.environ, TAVELON_ATSPI_BUS="1")
    return subprocess.call(["dbus-run-session", "--", sys.executable, __file__, tavelon], env=env)


def start_display():
    """Xvfb on a free display number, which it reports itself."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=[write],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as pipe:
        number = pipe.readline().strip()
    if not number:
        fail("Xvfb ist nicht gestartet")
    return xvfb, ":" + number


def wait_for(what, find, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    fail(what + " nicht gefunden")


def descendants(accessible, depth=0):
    if accessible is None or depth > 30:
        return
    yield accessible
    for i in range(accessible.childCount):
        yield from descendants(accessible.getChildAtIndex(i), depth + 1)


def check_tree(pyatspi, app):
    tree = wait_for("Struktogramm als Baum", lambda: next(
        (a for a in descendants(app) if a.getRole() == pyatspi.ROLE_TREE), None))
    shown = tree.getChildAtIndex(0)
    # Qt gives the tree items of views the role of table cells on this bus.
    item_roles = (pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_TABLE_CELL)
    if shown.getRole() not in item_roles or not shown.name.startswith("Block"):
        fail("oberster Block: %s %s" % (shown.getRoleName(), shown.name))
    names = [shown.getChildAtIndex(i).name for i in range(shown.childCount)]
    expected = ["Anweisung: x := 1", "Entscheidung: x > 0", "Schleife (Test vorher): i < 10"]
    if names != expected:
        fail("Elemente %s statt %s" % (names, expected))
    decision = shown.getChildAtIndex(1)
    branches = [decision.getChildAtIndex(i).name for i in range(decision.childCount)]
    if branches != ["Ja-Block", "Nein-Block"]:
        fail("Zweige %s" % branches)
    yes = decision.getChildAtIndex(0).getChildAtIndex(0)
    if yes.name != "Anweisung: y := 2":
        fail("im Ja-Block: %s" % yes.name)

    # Selecting by the element's own action, as a screen reader's user may.
    actions = yes.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "Auswählen" not in names or "Text bearbeiten" not in names:
        fail("Aktionen %s" % names)
    actions.doAction(names.index("Auswählen"))
    wait_for("ausgewählter Zustand",
             lambda: yes.getState().contains(pyatspi.STATE_SELECTED))
    if shown.getChildAtIndex(0).getState().contains(pyatspi.STATE_SELECTED):
        fail("zwei Elemente ausgewählt")
    extents = yes.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if extents.width <= 0 or extents.height <= 0:
        fail("kein Rechteck: %s" % (extents,))


def main():
    if len(sys.argv) != 2:
        fail("usage: diagram_tree.py PATH-OF-TAVELON")
    tavelon = os.path.abspath(sys.argv[1])
    if not os.environ.get("TAVELON_ATSPI_BUS"):
        sys.exit(under_private_bus(tavelon))
    try:
        import pyatspi  # noqa: F401, imported once the display is known
    except ImportError:
        fail("pyatspi fehlt (Pakete python3-pyatspi, gir1.2-atspi-2.0)")

    with tempfile.TemporaryDirectory() as home:
        text = os.path.join(home, "p.txt")
        design = os.path.join(home, "p.str")
        with open(text, "w") as out:
            out.write("x := 1;\r\nif (x > 0) y := 2;\r\nwhile (i < 10) i := i + 1;\r\n")
        subprocess.run([tavelon, "--import-text", text, design], check=True)

        xvfb, display = start_display()
        os.environ["DISPLAY"] = display
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                   QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        editor = subprocess.Popen([tavelon, design], env=env)
        try:
            import pyatspi
            desktop = pyatspi.Registry.getDesktop(0)
            app = wait_for("Programm am Barrierefreiheits-Bus", lambda: next(
                (a for a in desktop if a is not None and a.get_process_id() == editor.pid), None))
            check_tree(pyatspi, app)
        finally:
            editor.terminate()
            editor.wait(10)
            xvfb.terminate()
            xvfb.wait(10)
    print("AT-SPI: Baum, Namen, Aktion und Auswahl erreicht")


if __name__ == "__main__":
    main()
