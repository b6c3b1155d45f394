#!/usr/bin/python3
"""A whole shred run of the real window, driven through what a screen reader sees (AT-SPI).

Run on an X server (on_x_server.sh): WINDOW RESOURCE_DIR. Starts a private session bus and
the accessibility bus, starts the window with a folder on its command line, answers the
confirmation through AT-SPI actions alone and reads the run's end from the status field.
Exits 77 when the accessibility bus cannot start here. LANG comes from the environment; the
names a person hears are checked against the table of that language where there is one.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi  # connects on first use, to the session bus of that moment
except ImportError:
    pyatspi = None

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"

# What a person hears, per language. Structure is checked in every language; names only
# where the table has the language.
NAMES = {
    "en": {
        "fields": ["Folder", "File", "Status", "Selected items", "Items left to shred",
                   "Selected links", "Links left to shred", "Selected bytes",
                   "Bytes left to shred"],
        "buttons": ["Choose Files…", "Choose Folder…", "Stop", "Details…", "Save Report…",
                    "Settings"],
        "menus": ["File", "Settings", "Help"],
        "progress": "Progress",
        "settings": "1 pass of random bytes · asks before shredding · not logged",
        "alert": "Shred Alert",
        "default": "Cancel",
        "proceed": "Proceed",
        "shredded": "Files have been shredded.",
    },
    "de": {
        "fields": ["Ordner", "Datei", "Status", "Ausgewählte Objekte",
                   "Noch zu schreddernde Objekte", "Ausgewählte Links",
                   "Noch zu schreddernde Links", "Ausgewählte Bytes", "Noch zu schreddernde Bytes"],
        "buttons": ["Dateien auswählen…", "Ordner auswählen…", "Anhalten", "Details…",
                    "Bericht speichern…", "Einstellungen"],
        "menus": ["Datei", "Einstellungen", "Hilfe"],
        "progress": "Fortschritt",
        "settings": "1 Durchgang mit Zufallsbytes · fragt vor dem Schreddern · nicht protokolliert",
        "alert": "Schredder-Warnung",
        "default": "Abbrechen",
        "proceed": "Fortfahren",
        "shredded": "Die Dateien wurden geschreddert.",
    },
    "fr": {
        "fields": ["Dossier", "Fichier", "État", "Éléments sélectionnés",
                   "Éléments restant à broyer", "Liens sélectionnés", "Liens restant à broyer",
                   "Octets sélectionnés", "Octets restant à broyer"],
        "buttons": ["Choisir des fichiers…", "Choisir un dossier…", "Arrêter", "Détails…",
                    "Enregistrer le rapport…", "Paramètres"],
        "menus": ["Fichier", "Paramètres", "Aide"],
        "progress": "Progression",
        "settings": "1 passe d'octets aléatoires · demande avant de broyer · non journalisé",
        "alert": "Alerte de broyage",
        "default": "Annuler",
        "proceed": "Continuer",
        "shredded": "Les fichiers ont été broyés.",
    },
}


def language():
    for key in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"):
        value = os.environ.get(key, "")
        if value:
            code = value.split(":")[0].split("_")[0].split(".")[0]
            return "en" if code in ("C", "POSIX") else code
    return "en"


def skip(reason):
    print("skipped: " + reason)
    sys.exit(77)


def wait_for(what, condition, seconds=20):
    """condition's first true value, polled; fails the test with what after seconds."""
    deadline = time.monotonic() + seconds
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            sys.exit("FAIL: timed out waiting for " + what)
        time.sleep(0.05)


def check(ok, message):
    if not ok:
        sys.exit("FAIL: " + message)


def start_buses(work):
    """A private session bus with the accessibility bus on it; returns their processes."""
    for tool in ("dbus-daemon", "dbus-send", LAUNCHER):
        if shutil.which(tool) is None:
            skip(tool + " is missing; scripts/setup.sh installs it")
    session = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.stdout.readline().strip()
    log = open(os.path.join(work, "at-spi.log"), "w")
    launcher = subprocess.Popen([LAUNCHER, "--launch-immediately"], stdout=log, stderr=log)
    # The accessibility bus is there once the launcher answers with its address.
    ask = ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
           "org.a11y.Bus.GetAddress"]
    for _ in range(100):
        reply = subprocess.run(ask, capture_output=True, text=True)
        if reply.returncode == 0 and "unix:" in reply.stdout:
            return [launcher, session]
        time.sleep(0.1)
    skip("the accessibility bus did not start: " + open(log.name).read())


def start_window(work, window, resources, chosen):
    home = os.path.join(work, "home")
    os.makedirs(os.path.join(home, "config", "ORBA"))
    os.makedirs(os.path.join(home, "tmp"))
    os.chmod(home, 0o700)
    # A confirmation before every shred, whatever the shipped defaults say.
    with open(os.path.join(home, "config", "ORBA", "Zurizede.conf"), "w") as conf:
        conf.write("[General]\nshredWarning=1\nshredMode=0\n")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=home, TMPDIR=os.path.join(home, "tmp"),
               ZURIZEDE_RESOURCE_DIR=resources, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return subprocess.Popen([window, chosen], env=env)


def role(acc, *roles):
    return acc.getRole() in [getattr(pyatspi, "ROLE_" + r) for r in roles]


def has(acc, state):
    return acc.getState().contains(getattr(pyatspi, "STATE_" + state))


def descendants(acc):
    for child in acc:
        if child is not None:
            yield child
            yield from descendants(child)


def application_of(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def fresh(acc):
    acc.clear_cache()
    return acc


def text_of(acc):
    return fresh(acc).queryText().getText(0, -1)


CONTROLS = ("PUSH_BUTTON", "TOGGLE_BUTTON", "CHECK_BOX", "RADIO_BUTTON", "COMBO_BOX", "MENU",
            "POPUP_MENU", "MENU_ITEM", "CHECK_MENU_ITEM", "RADIO_MENU_ITEM", "TEXT", "ENTRY",
            "SPIN_BUTTON", "SLIDER", "PROGRESS_BAR")


def labelled(field):
    for relation in field.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            targets = [relation.getTarget(i) for i in range(relation.getNTargets())]
            return any(t is not None and t.name.strip() for t in targets)
    return False


def check_controls(frame, names):
    """Every control is named and has a role; the fields are labelled."""
    everything = list(descendants(frame))
    controls = [a for a in everything if role(a, *CONTROLS) or has(a, "FOCUSABLE")]
    unnamed = [a.getRoleName() for a in controls
               if not a.name.strip() or role(a, "UNKNOWN", "INVALID")]
    check(not unnamed, "controls without a name or a role: " + ", ".join(unnamed))
    fields = [a for a in everything if role(a, "TEXT", "ENTRY")]
    # Six fields have their label beside them; the three of the "left to shred" column share
    # their row's label and carry a name of their own.
    by_label = [f.name for f in fields if labelled(f)]
    check(len(fields) == 9 and len(by_label) == 6,
          "%d fields, labelled by a label: %s" % (len(fields), by_label))
    bars = [a for a in everything if role(a, "PROGRESS_BAR")]
    check(len(bars) == 1, "%d progress bars" % len(bars))
    if names:
        buttons = [a for a in everything if role(a, "PUSH_BUTTON")]
        heard = {
            "fields": [f.name for f in fields],
            "buttons": [a.name for a in buttons],
            "menus": [a.name for a in everything if role(a, "POPUP_MENU")],
            "progress": bars[0].name,
            # The last button, Settings, says what they are.
            "settings": buttons[-1].description,
        }
        for key, value in heard.items():
            check(value == names[key], "%s: heard %r, expected %r" % (key, value, names[key]))
    return fields


def read_confirmation(app, chosen, names):
    """Reads the confirmation and checks where the focus is; returns its Proceed button."""
    alert = wait_for("the confirmation alert", lambda: next(
        (a for a in fresh(app) if a is not None and role(a, "ALERT")), None))
    said = "\n".join(a.name for a in descendants(alert) if role(a, "LABEL"))
    check(chosen in said, "the alert does not name %s: %r" % (chosen, said))
    buttons = [a for a in descendants(alert) if role(a, "PUSH_BUTTON")]
    defaults = [b for b in buttons if has(b, "IS_DEFAULT")]
    check(len(buttons) == 2 and len(defaults) == 1 and all(b.name.strip() for b in buttons),
          "buttons %r, default %r" % ([b.name for b in buttons], [b.name for b in defaults]))
    wait_for("the focus on the default button " + defaults[0].name,
             lambda: has(fresh(defaults[0]), "FOCUSED"), 5)
    # The other button: a wrong focus would make it the default and fail the run below.
    proceed = next(b for b in buttons if b.name != defaults[0].name)
    if names:
        check(alert.name == names["alert"], "alert %r" % alert.name)
        check(defaults[0].name == names["default"] and proceed.name == names["proceed"],
              "default %r, other %r" % (defaults[0].name, proceed.name))
    return proceed


def follow_run(app, stop, status):
    """The status field's texts, read until the run has ended (Stop is disabled again)."""
    heard = []

    def listen():
        text = text_of(status)
        if not heard or heard[-1] != text:
            heard.append(text)

    def ended():
        listen()
        alerts = [a for a in fresh(app) if a is not None and role(a, "ALERT")]
        return not alerts and not has(fresh(stop), "SENSITIVE")

    wait_for("the run to end", ended, 30)
    listen()  # the final values are drawn just before Stop is disabled
    return heard


def shred_through_screen_reader(window, resources, work):
    names = NAMES.get(language())
    chosen = os.path.join(work, "chosen")
    os.makedirs(os.path.join(chosen, "inner"))
    for name, contents in (("a", b"alpha"), ("b", b"bravo" * 5000), ("inner/c", b"charlie")):
        with open(os.path.join(chosen, name), "wb") as f:
            f.write(contents)
    sibling = os.path.join(work, "chosen-not")
    with open(sibling, "wb") as f:
        f.write(b"kept")

    process = start_window(work, window, resources, chosen)
    try:
        app = wait_for("the window on the accessibility bus", lambda: application_of(process.pid))
        app.set_cache_mask(pyatspi.Atspi.Cache.NONE)
        frame = wait_for("the main window", lambda: next(
            (a for a in fresh(app) if a is not None and role(a, "FRAME")), None))
        fields = check_controls(frame, names)
        bar = next(a for a in descendants(frame) if role(a, "PROGRESS_BAR"))
        # Stop sits beside the bar, and may be pressed while the run waits for its answer.
        stop = next(a for a in bar.parent if role(a, "PUSH_BUTTON"))
        proceed = read_confirmation(app, chosen, names)
        check(has(fresh(stop), "SENSITIVE"), "Stop is disabled while the run asks")
        check(proceed.queryAction().doAction(0), "Proceed did not take its action")
        heard = follow_run(app, stop, fields[2])
        print("status heard: %r" % heard)
        check(heard[-1].strip(), "the status is empty after the run")
        if names:
            check(heard[-1] == names["shredded"], "final status %r" % heard[-1])
        check(not os.path.lexists(chosen), "the chosen folder is still there")
        with open(sibling, "rb") as f:
            check(f.read() == b"kept", "the file beside the chosen folder was touched")
        check(process.poll() is None, "the window ended by itself")
    finally:
        process.terminate()
        process.wait(10)


def main():
    window, resources = sys.argv[1:3]
    work = tempfile.mkdtemp()
    buses = []
    try:
        if pyatspi is None:
            skip("python3-pyatspi is missing; scripts/setup.sh installs it")
        buses = start_buses(work)
        shred_through_screen_reader(window, resources, work)
        print("PASS")
    finally:
        for process in buses:
            process.terminate()
            process.wait(10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
