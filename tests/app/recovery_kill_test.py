#!/usr/bin/env python3
"""Kills the real program at random moments while a survey is typed and metered into it.

Under a private X server, plantrek runs with a home and a state folder of its own and a
simulated Disto on a pseudo-terminal. Each run starts it on an unnamed site or on a saved one,
plays a scripted survey (walls typed on the measurement line; walls, enter and undo keys from
the meter; every wall length distinct, so that each state of the script is recognisable) and
kills it with SIGKILL after a random time. The recovery state left behind must be exactly one
state of the script, holding every change sent at least a second (plus SLACK for the program to
take the keys and lines in) before the kill. Then the program starts again, "Recover Sites"
recovers the site and Save writes it (an unnamed one under a name typed into Save As): the file
must hold the same state.

Usage: recovery_kill_test.py PLANTREK PLANTREK-CLI
Environment: PLANTREK_KILL_SEED fixes the seeds (each run's seed is printed), PLANTREK_KILL_RUNS
the number of runs (20). Exits 77 (skipped) where Xvfb or xdotool is missing.
"""
import hashlib, json, os, random, re, select, shutil, subprocess, sys, tempfile, termios
import threading, time, tty
from urllib.parse import unquote

# Time the program may take to take in a key or a meter line, on top of the second within which
# a change must be safe: the test runs on a sanitized build on a busy machine.
SLACK = 0.5


class Failure(Exception): pass


def wait_for(condition, what, timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    raise Failure(f"timed out waiting for {what}")


class Meter:
    """A Disto at the far end of a pseudo-terminal: answers the identification with a type
    number whose enter key is 12 and undo key 13, and records what the program sends."""

    def __init__(self):
        self.master, self.holder = os.openpty()  # the holder keeps the device alive
        tty.setraw(self.holder)
        self.path = os.ttyname(self.holder)
        self.received = b""
        self.quit = False
        threading.Thread(target=self.serve, daemon=True).start()

    def serve(self):
        answered = 0
        while not self.quit:
            if select.select([self.master], [], [], 0.05)[0]:
                self.received += os.read(self.master, 4096)
                for _ in range(self.count(b"N00N\r\n") - answered):
                    os.write(self.master, b"13....+00740000 \r\n")
                    answered += 1

    def count(self, command):
        return self.received.count(command)

    def forget_unread(self):
        """Drops what a killed program left unread, so that the next one starts afresh."""
        termios.tcflush(self.holder, termios.TCIFLUSH)

    def send(self, *words):
        os.write(self.master, b" ".join(words) + b" \r\n")


# The survey: three rooms of ten walls going round N, E, S, W, every third from the meter, the
# second room with a wrong reading undone on the meter. A step is (kind, how, length in mm,
# direction); kinds: wall, finish (the room), room (a new one), undo.
METER_KEYS = {0: 2, 90: 6, 180: 1, 270: 3, "finish": 12, "room": 12, "undo": 13}
LETTERS = {0: "n", 90: "e", 180: "s", 270: "w"}


def survey(named):
    steps = [("room", "type", 0, 0)] if named else []  # an opened site selects its start point
    length = 1500
    for room in range(3):
        for i in range(10):
            steps.append(("wall", "meter" if i % 3 == 1 else "type", length, (i % 4) * 90))
            length += 37
            if room == 1 and i == 4:
                steps += [("wall", "meter", 9999, 90), ("undo", "meter", 0, 0)]
        if room < 2:
            steps += [("finish", "meter" if room else "type", 0, 0),
                      ("room", "type" if room else "meter", 0, 0)]
    return steps


def states_of(steps, named):
    """The site after each step as its rooms' measured walls: states[k] follows k steps."""
    rooms = [] if named else [()]
    states = [tuple(rooms)]
    for kind, _, length, direction in steps:
        if kind == "wall":
            rooms[-1] += ((length, direction),)
        elif kind == "room":
            rooms.append(())
        elif kind == "undo":
            rooms = list(states[-2])
        states.append(tuple(rooms))
    return states


def signature(site):
    return tuple(tuple((round(w["length"] * 1000), round(w["direction"]) % 360)
                       for w in room["walls"] if w["kind"] == "user") for room in site["rooms"])


class Session:
    def __init__(self, program, cli):
        self.program, self.cli = os.path.abspath(program), os.path.abspath(cli)
        self.work = tempfile.mkdtemp(prefix="plantrek-kill-")
        self.xvfb = self.app = None
        self.meter = Meter()
        config = os.path.join(self.work, "config")
        os.makedirs(os.path.join(config, "Corvane Software"))
        # Metres, so that typed and metered lengths read alike; no keypad over the plan.
        with open(os.path.join(config, "Corvane Software", "Plantrek.conf"), "w") as f:
            f.write("[General]\nInput=1\nDisplayKeypad=false\n")
        self.env = dict(os.environ, HOME=self.work, XDG_CONFIG_HOME=config,
                        XDG_DATA_HOME=os.path.join(self.work, "data"),
                        XDG_CACHE_HOME=os.path.join(self.work, "cache"),
                        PLANTREK_SERIAL_PORTS=self.meter.path)
        # The X keyboard library hands strndup a string that is not terminated, which a
        # sanitized run's strict string checks reject; leaks are the unit tests' business.
        self.env["ASAN_OPTIONS"] = (self.env.get("ASAN_OPTIONS", "") +
                                    ":detect_leaks=0:strict_string_checks=0")
        for name in ("QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "PLANTREK_NO_METER"):
            self.env.pop(name, None)

    def start_x(self):
        # A display number clear of the low ones other servers take, tried until one is free;
        # no reset when the last program leaves, so that the next start never meets one.
        for number in random.Random().sample(range(200, 1000), 20):
            read, write = os.pipe()
            self.xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-displayfd", str(write), "-noreset", "-screen", "0",
                 "1280x900x24", "-nolisten", "tcp"], pass_fds=[write],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write)
            with os.fdopen(read) as f:
                if f.readline().strip():
                    self.env["DISPLAY"] = f":{number}"
                    return
            self.xvfb.wait()
        raise Failure("Xvfb did not start")

    def close(self):
        self.kill()
        if self.xvfb:
            self.xvfb.kill()
            self.xvfb.wait()
        self.meter.quit = True
        shutil.rmtree(self.work, ignore_errors=True)

    def xdotool(self, *arguments):
        return subprocess.run(["xdotool", *arguments], env=self.env, capture_output=True,
                              text=True).stdout

    def window(self, title):
        found = self.xdotool("search", "--onlyvisible", "--name", title).split()
        return found[0] if found else None

    def wait_window(self, title):
        return wait_for(lambda: self.window(title), f"a window titled {title}")

    def start(self, run_dir, arguments, meter):
        env = dict(self.env, XDG_STATE_HOME=os.path.join(run_dir, "state"),
                   XDG_RUNTIME_DIR=os.path.join(run_dir, "runtime"))
        os.makedirs(env["XDG_RUNTIME_DIR"], mode=0o700, exist_ok=True)
        if not meter:
            env["PLANTREK_NO_METER"] = "1"
        with open(os.path.join(run_dir, "plantrek.log"), "ab") as log:
            self.app = subprocess.Popen([self.program, *arguments], env=env, cwd=run_dir,
                                        stdout=log, stderr=subprocess.STDOUT)

    def kill(self):
        if self.app:
            self.app.kill()
            self.app.wait()
        self.app = None

    def focus_input(self, window):
        # Without a window manager the keys go to the window under the pointer. The click
        # lands on the status bar; Alt+M puts the caret on the measurement line.
        height = re.search(r"Geometry: \d+x(\d+)", self.xdotool("getwindowgeometry", window))
        self.xdotool("mousemove", "--window", window, "100", str(int(height[1]) - 8), "click",
                     "1", "key", "alt+m")

    def info(self, path):
        result = subprocess.run([self.cli, "info", path], env=self.env, capture_output=True,
                                text=True)
        if result.returncode != 0:
            raise Failure(f"plantrek-cli info {path}: {result.stderr.strip()}")
        return signature(json.loads(result.stdout))


def play(session, steps, kill_at, log):
    """Plays steps until the kill; log gets [start, end] times of each step begun."""
    acks = session.meter.count(b"cfm\r\n")
    for kind, how, length, direction in steps:
        if time.monotonic() >= kill_at:
            return
        log.append([time.monotonic(), None])
        if how == "type":
            text = f"{length / 1000:.3f} {LETTERS[direction]}" if kind == "wall" else ""
            names = {".": "period", " ": "space"}
            session.xdotool("key", "--delay", "8", *[names.get(c, c) for c in text], "Return")
        else:
            session.meter.send(*([b"31..00+%08d" % length, b"5000..+%08d" % METER_KEYS[direction]]
                                 if kind == "wall" else [b"5000..+%08d" % METER_KEYS[kind]]))
        log[-1][1] = time.monotonic()
        if how == "meter":  # the meter sends on once the program has confirmed the line
            acks += 1
            while session.meter.count(b"cfm\r\n") < acks and time.monotonic() < kill_at:
                time.sleep(0.005)
        time.sleep(random.uniform(0.0, 0.1))


def one_run(session, run_dir, named):
    """Plays the survey into a new program until a random kill; returns the number of steps
    begun and the number that had to be kept."""
    steps = survey(named)
    site = os.path.join(run_dir, "site.tcd")
    if named:  # a site without rooms
        with open(site, "wb") as f:
            f.write(('<?xml version="1.0" encoding="UTF-16"?>\n<tcdisto name="site.tcd" '
                     'version="1.1">\n\t<site index="0" name="Site">\n\t\t<startpoint '
                     'x="0.000000" y="0.000000"/>\n\t</site>\n</tcdisto>\n').encode("utf-16"))
    session.meter.forget_unread()
    connected = session.meter.count(b"sk 13 28\r\n")
    session.start(run_dir, [site] if named else [], meter=True)
    window = session.wait_window(r"^Plantrek - \[?site\.tcd" if named else r"^Plantrek - ")
    wait_for(lambda: session.meter.count(b"sk 13 28\r\n") > connected, "the meter")
    wait_for(lambda: not session.window("^Searching$"), "the end of the search")
    session.focus_input(window)

    log = []
    begun = time.monotonic()
    kill_at = begun + random.uniform(0.3, 4.0)  # the survey takes three to four seconds
    player = threading.Thread(target=play, args=(session, steps, kill_at, log))
    player.start()
    time.sleep(max(0.0, kill_at - time.monotonic()))
    killed = time.monotonic()
    session.kill()
    player.join()
    required = sum(1 for _, end in log if end is not None and end <= killed - 1.0 - SLACK)
    print(f"  killed after {killed - begun:.2f} s with {len(log)} of {len(steps)} changes "
          f"begun, {required} due", flush=True)
    return len(log), required


def read(path):
    with open(path, "rb") as f:
        return f.read()


def recovery_states(state_dir):
    """The newest state of each document: {(session, document): (record, site file)}. Fails
    on a record whose checksum does not hold or a site file that is not the one its record
    describes: a state is written whole or not at all."""
    newest = {}
    sessions = os.path.join(state_dir, "sessions")
    for session in os.listdir(sessions) if os.path.isdir(sessions) else []:
        for name in os.listdir(os.path.join(sessions, session)):
            match = re.fullmatch(r"site(\d+)-(\d+)\.recovery", name)
            if not match:
                continue
            path = os.path.join(sessions, session, name)
            data = read(path)
            body = data[:data.rfind(b"record-sha256 ")]
            if data != body + b"record-sha256 %s\n" % hashlib.sha256(body).hexdigest().encode():
                raise Failure(f"the recovery record {session}/{name} is corrupt")
            record = dict(line.split(" ", 1) for line in body.decode().splitlines()[1:])
            site = path[:-len("recovery")] + "tcd"
            if not os.path.exists(site):
                continue  # an older generation being deleted
            if hashlib.sha256(read(site)).hexdigest() != record["state-sha256"]:
                raise Failure(f"the state {session}/{name} does not match its record")
            key, generation = (session, int(match[1])), int(match[2])
            if newest.get(key, (-1,))[0] < generation:
                newest[key] = (generation, record, site)
    return {key: value[1:] for key, value in newest.items()}


def recover(session, run_dir, site):
    """Starts the program again, recovers the site in "Recover Sites" and saves it; returns
    what the saved file holds."""
    session.start(run_dir, [], meter=False)
    dialog = session.wait_window("^Recover Sites$")
    # Every line proposes Recover; the keys go to the window under the pointer.
    session.xdotool("mousemove", "--window", dialog, "20", "20", "key", "Return")
    wait_for(lambda: not session.window("^Recover Sites$"), "the dialog to close")
    title = r"^Plantrek - \[?site\.tcd" if site else r"^Plantrek - \[?Plantrek1"
    session.focus_input(session.wait_window(title))
    target = site or os.path.join(run_dir, "unnamed.tcd")
    before = os.stat(site).st_ino if site else None  # a save renames a new file into place
    session.xdotool("key", "ctrl+s")
    if not site:  # the chooser opens in the program's working folder, the run's folder
        chooser = session.wait_window("^Save As$")
        time.sleep(0.3)  # for the chooser to take the keys
        session.xdotool("mousemove", "--window", chooser, "20", "20", "key", "ctrl+a", "type",
                        "--delay", "5", os.path.basename(target))
        session.xdotool("key", "Return")

    def saved():
        # Rooms that are not closed make saving ask first; Yes is the box's default.
        if session.window("^Plantrek$"):
            session.xdotool("key", "Return")
        return os.path.exists(target) and os.stat(target).st_ino != before
    wait_for(saved, "the site to be saved")
    session.kill()
    return session.info(target)


def check(session, run_dir, named, begun, required):
    states = states_of(survey(named), named)
    left = recovery_states(os.path.join(run_dir, "state", "plantrek"))
    if len(left) > 1:
        raise Failure(f"{len(left)} documents left states; one was open")
    if not left:
        if required > 0:
            raise Failure(f"no recovery state was left; {required} changes were due")
        print("  no state was left, and nothing was due", flush=True)
        return
    record, state_file = next(iter(left.values()))
    site = os.path.join(run_dir, "site.tcd") if named else ""
    if unquote(record["path"]) != site:
        raise Failure(f"the state belongs to \"{unquote(record['path'])}\"")
    found = session.info(state_file)
    held = [k for k in range(begun + 1) if states[k] == found]
    if not held:
        raise Failure(f"the recovery state is no state of the script: {found}")
    if max(held) < required:
        raise Failure(f"the recovery state holds {max(held)} changes; {required} were due")
    saved = recover(session, run_dir, site)
    if saved != found:
        raise Failure(f"the site recovered and saved differs from its state: {saved}")
    print(f"  the state held {max(held)} changes; recovered and saved alike", flush=True)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print(f"recovery kill test skipped: {tool} is not installed")
            sys.exit(77)
    runs = int(os.environ.get("PLANTREK_KILL_RUNS", "20"))
    base = int(os.environ.get("PLANTREK_KILL_SEED", str(random.randrange(1 << 30))))
    print(f"seeds from {base} (PLANTREK_KILL_SEED={base} repeats them)", flush=True)
    session = Session(*sys.argv[1:])
    try:
        session.start_x()
        for number in range(runs):
            named = number % 2 == 1
            print(f"run {number}: seed {base + number}, {'saved' if named else 'unnamed'} site",
                  flush=True)
            random.seed(base + number)
            run_dir = os.path.join(session.work, f"run{number}")
            os.makedirs(run_dir)
            check(session, run_dir, named, *one_run(session, run_dir, named))
    except Failure as failure:
        print(f"FAILED: {failure}\nwindows on screen:")
        print(session.xdotool("search", "--onlyvisible", "--name", ".", "getwindowname", "%@"))
        for name in sorted(os.listdir(session.work)):
            log = os.path.join(session.work, name, "plantrek.log")
            if os.path.exists(log) and os.path.getsize(log) > 0:
                print(f"--- {name}/plantrek.log\n" + open(log, errors="replace").read())
        sys.exit(1)
    finally:
        session.close()
    print("recovery kill test passed")


if __name__ == "__main__":
    main()
