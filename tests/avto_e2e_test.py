"""End-to-end runs of the built avto: in a pseudo-terminal, where it waits
for one key, and with no terminal at all, where it must not wait.

Usage: avto_e2e_test.py [--emulator=PROGRAM] PATH_TO_AVTO

A program built for another platform runs under PROGRAM. qemu passes the
terminal through, so every case runs; Wine gives the program a console of its
own, drawn on the pseudo-terminal, and CRLF line ends, compared as newlines.
"""
import os
import re
import resource
import shlex
import signal
import subprocess
import sys
import time
import unittest

import pexpect

EMULATOR = [sys.argv.pop(1)[len("--emulator="):]
            ] if sys.argv[1].startswith("--emulator=") else []
AVTO = os.path.abspath(sys.argv.pop(1))
# Sanitized programs reserve terabytes of address space up front.
UNLIMITED = "AVTO_E2E_NO_MEMORY_LIMIT" in os.environ
WINE = bool(EMULATOR) and "wine" in os.path.basename(EMULATOR[0])
RUN_AVTO = " ".join(shlex.quote(word) for word in EMULATOR + [AVTO])
CAR = (r"(VAZ|GAZ|BMW|FORD|AUDI)/(SEDAN|HETCHBECK|UNIVERSAL|PIKAP|KABRIOLET)/"
       r"(RED|GREEN|BLUE|METALL|BLACK)/(199\d|2000)/((?:[3-9]|1\d|20)000)\$")
# Runs its arguments with descriptors 3 to 1100 taken.
CROWD = ("import os, resource, sys; "
         "hard = resource.getrlimit(resource.RLIMIT_NOFILE)[1]; "
         "resource.setrlimit(resource.RLIMIT_NOFILE, (2048, hard)); "
         "[os.dup2(0, fd) for fd in range(3, 1101)]; "
         "os.execvp(sys.argv[1], sys.argv[1:])")
# As stty -g writes them; right after the prompt when nothing is echoed.
MODES = r"[\n ]([0-9a-f]+(?::[0-9a-f]+)+)\r\n"
MENU = ("\nChoose changing factor:\n[1] - marka\n[2] - kyzov\n[3] - svet\n"
        "[4] - god\n[5] - sena\n=> ")

# The shell prints the terminal modes before and after the run, and then
# whatever the run left unread in the terminal.
WRAPPER = ('stty -g; {run}; echo "status=$?"; stty -g; '
           'stty -icanon min 0 time 2; printf "left=[%s]\\n" "$(cat -v)"')


def run_without_terminal(stdin_bytes, stdout=subprocess.PIPE,
                         memory_kib=None):
    limit = memory_kib and (lambda: resource.setrlimit(
        resource.RLIMIT_AS, (memory_kib * 1024, memory_kib * 1024)))
    run = subprocess.run(EMULATOR + [AVTO, "ignored", "--arguments"],
                         input=stdin_bytes, stdout=stdout,
                         stderr=subprocess.PIPE, start_new_session=True,
                         preexec_fn=limit, timeout=30, check=False)
    run.stdout = (run.stdout or b"").replace(b"\r\n", b"\n")
    run.stderr = run.stderr.replace(b"\r\n", b"\n")
    return run


def send_key(child, key):
    """Writes `key`, or a tuple of its pieces 20 ms apart, as a slow line
    delivers a key."""
    for piece in key if isinstance(key, tuple) else [key]:
        child.send(piece)
        time.sleep(0.02)


def child_of(pid):
    with open(f"/proc/{pid}/task/{pid}/children", encoding="ascii") as kids:
        return int(kids.read().split()[0])


def state_of(pid):
    """The process's state letter (T: stopped, Z: ended), or "" if gone."""
    try:
        with open(f"/proc/{pid}/stat", encoding="ascii") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0]
    except FileNotFoundError:
        return ""


def reaches(pid, states, seconds=2.0):
    deadline = time.monotonic() + seconds
    while state_of(pid) not in states and time.monotonic() < deadline:
        time.sleep(0.01)
    return state_of(pid) in states


@unittest.skipIf(WINE, "needs a terminal the program can open")
class InTerminal(unittest.TestCase):
    def start(self, typed, piped=False, ignored=None, crowded=False):
        """Runs avto up to its key wait; `typed` goes to the terminal, or
        through a pipe to standard input. The shell ignores the signal named
        `ignored` for it. Crowded, it starts with descriptors 3 to 1100
        taken, so the terminal's lies beyond any fd_set."""
        run = f"printf '{typed}' | {RUN_AVTO}" if piped else RUN_AVTO
        if crowded:
            run = f"{shlex.quote(sys.executable)} -c '{CROWD}' {RUN_AVTO}"
        trap = f"trap '' {ignored}; " if ignored else ""
        child = pexpect.spawn("sh", ["-c", trap + WRAPPER.format(run=run)],
                              encoding="latin-1", timeout=5)
        child.delaybeforesend = None
        self.addCleanup(child.close, force=True)
        child.expect(r"(\S+)\r\n")
        modes = child.match.group(1)
        child.expect_exact("=> ")
        if not piped:
            child.send(typed)
        self.wait_for_the_key(child)
        return child, modes

    @staticmethod
    def wait_for_the_key(child):
        child.expect(r"\r\n\r\nparam: \S+\$\r\n")
        child.waitnoecho()

    def finish(self, child, modes, status):
        child.expect(r"status=(\d+)\r\n(\S+)\r\nleft=\[(.*)\]\r\n")
        self.assertEqual(child.match.group(1), str(status))
        self.assertEqual(child.match.group(2), modes)
        self.assertEqual(child.match.group(3), "")

    def test_any_one_key_ends_the_run_without_echo_or_leftovers(self):
        keys = ["q", "\r", " ", "\x03", "\x1a", "\x1c", "\x04", "\x1b",
                "\x1b[A", "\x1bOP", "\x1b[15~", "\x1bx", "\xc3\xa9",
                "\xe2\x82\xac", "qw", ("\x1b", "[A"), ("\x1b", "[", "A"),
                ("\xe2", "\x82\xac")]
        # A parent that ignores SIGTTOU must not keep the wait from raw mode.
        cases = ([(key, "typed") for key in keys] +
                 [("q", "piped"), ("\x1b", "crowded"), ("q", "TTOU")])
        for key, how in cases:
            with self.subTest(key=key, how=how):
                # What is left in standard input must not satisfy the wait.
                child, modes = self.start(
                    "3 CYAN unread words\n", piped=how == "piped",
                    crowded=how == "crowded",
                    ignored="TTOU" if how == "TTOU" else None)
                self.assertEqual(child.expect([pexpect.TIMEOUT, "."],
                                              timeout=0.3), 0)
                send_key(child, key)
                child.expect_exact("Destructor activated...\r\n")
                self.assertEqual(child.before, "")
                self.finish(child, modes, 0)
                child.expect(pexpect.EOF)

    def test_signals_give_the_terminal_back(self):
        cases = [(signal.SIGTERM, None), (signal.SIGHUP, None),
                 (signal.SIGINT, None), (signal.SIGQUIT, None),
                 (signal.SIGUSR1, None), (signal.SIGALRM, None),
                 (signal.SIGABRT, None), (signal.SIGINT, "INT"),
                 (signal.SIGTSTP, None)]
        # Each must reach the program with its default action, even if
        # whoever started the tests ignored it (nohup, a background job).
        for number, _ in cases:
            signal.signal(number, signal.SIG_DFL)
        for number, ignored in cases:
            with self.subTest(signal=number.name, ignored=ignored):
                child, modes = self.start("9\n", ignored=ignored)
                os.kill(child_of(child.pid), number)
                # sh runs avto without job control, so its process group is
                # orphaned, as a terminal's own command's (xterm -e avto) is,
                # and the kernel drops the stop.
                goes_on = ignored or number == signal.SIGTSTP
                if goes_on:
                    self.assertEqual(child.expect([pexpect.TIMEOUT, "."],
                                                  timeout=0.3), 0)
                    child.send("k")
                    child.expect_exact("Destructor activated...\r\n")
                self.finish(child, modes, 0 if goes_on else 128 + number)
                child.expect(pexpect.EOF)

    def test_job_control_stops_and_resumes_the_wait(self):
        """Under an interactive dash, which leaves the terminal's modes to its
        jobs: stopped, the run must have given them back already."""
        # Started in the background, the kernel stops it with SIGTTOU.
        cases = [("foreground", "TSTP", "fg"), ("foreground", "TSTP", "kill"),
                 ("foreground", "STOP", "fg"), ("background", "TTOU", "fg"),
                 ("background", "TTOU", "kill")]
        for started, stop, then in cases:
            with self.subTest(started=started, stop=stop, then=then):
                shell = pexpect.spawn(
                    "dash", ["-i"], env={"PATH": os.environ["PATH"],
                                         "PS1": "$ "},
                    encoding="latin-1", timeout=5)
                self.addCleanup(shell.close, force=True)
                shell.expect_exact("$ ")
                shell.sendline("stty -g")
                shell.expect(MODES)
                modes = shell.match.group(1)
                if started == "foreground":
                    shell.sendline(RUN_AVTO)
                    shell.expect_exact("=> ")
                    shell.sendline("9")
                    self.wait_for_the_key(shell)
                    avto = child_of(shell.pid)
                    os.kill(avto, signal.Signals["SIG" + stop])
                else:
                    shell.sendline(f"{RUN_AVTO} </dev/null &")
                    shell.expect(r"\r\n\r\nparam: \S+\$\r\n")
                    avto = child_of(shell.pid)
                self.assertTrue(reaches(avto, "T"))
                # Nothing can catch SIGSTOP, so the modes are still raw: put
                # them back, as a shell that keeps its own modes does.
                restore = f"stty {modes}; " if stop == "STOP" else ""
                shell.sendline(restore + "stty -g")
                shell.expect(MODES)
                self.assertEqual(shell.match.group(1), modes)
                # dash reaps and reports finished jobs, and forgets them,
                # just before it prompts; at its prompt it keeps the job for
                # `wait %1` however soon the run ends.
                shell.expect_exact("$ ")
                rest_of_run = WRAPPER.split("; ", 1)[1]
                if then == "fg":
                    shell.sendline(rest_of_run.format(run="fg"))
                    shell.expect_exact(AVTO)
                    shell.waitnoecho()
                    shell.send("q")
                    shell.expect_exact("Destructor activated...\r\n")
                else:
                    # A stopped process acts on a signal once continued,
                    # so TERM comes with CONT, as from bash's `kill %1`.
                    os.kill(avto, signal.SIGTERM)
                    os.kill(avto, signal.SIGCONT)
                    self.assertTrue(reaches(avto, ["Z", ""], seconds=0.5))
                    shell.sendline(rest_of_run.format(run="wait %1"))
                self.finish(shell, modes, 0 if then == "fg" else 143)
                shell.sendline("exit")
                shell.expect(pexpect.EOF)


class WineConsole:
    """Reads a pty that Wine's console draws on, as plain text: Wine hides
    and shows the cursor around each character it writes, draws a space as
    erase-and-move and ends lines with CR CR LF."""
    DRAWING = [("\x1b[?25l", ""), ("\x1b[?25h", ""), ("\x1b[K\x1b[1C", " "),
               ("\r\r\n", "\n"), ("\r\n", "\n")]

    def __init__(self, child):
        self.child, self.raw, self.seen = child, "", 0

    def expect(self, pattern, timeout=20):
        deadline = time.monotonic() + timeout
        while True:
            text = self.raw
            for drawn, plain in self.DRAWING:
                text = text.replace(drawn, plain)
            match = re.compile(pattern, re.S).search(text, self.seen)
            if match or time.monotonic() > deadline:
                self.seen = match.end() if match else self.seen
                return match
            try:
                self.raw += self.child.read_nonblocking(4096, timeout=0.05)
            except (pexpect.TIMEOUT, pexpect.EOF):
                pass


@unittest.skipUnless(WINE, "only a program run under Wine")
class InWineConsole(unittest.TestCase):
    def test_one_key_ends_the_run_and_leaves_the_terminal_as_it_was(self):
        # Wine passes neither F-keys, a lone Esc, Ctrl-C, Ctrl-\ nor Ctrl-Z
        # on as keys, so they are not tried here.
        keys = ["q", "\r", "\x1b[A", ("\x1b", "[A"), "\xc3\xa9", "qw"]
        cases = [(key, "typed") for key in keys] + [("q", "from a file")]
        scratch = os.path.join(os.environ.get("TMPDIR", "/tmp"),
                               f"avto-e2e-{os.getpid()}")
        self.addCleanup(lambda: os.path.exists(scratch) and
                        os.remove(scratch))
        for key, given in cases:
            with self.subTest(key=key, input=given):
                if given == "typed":
                    run = '"$1" "$0"'
                else:  # Wine's console gets no key when its stdin is a file
                    run = ('printf "3 CYAN\\n" >"$2"; '
                           '"$1" cmd /c "$0 < $2"')
                # Wine gives the terminal its modes back a moment after the
                # program ends.
                wrapper = WRAPPER.replace('"; stty -g', '"; sleep 0.2; stty -g')
                child = pexpect.spawn(
                    "sh", ["-c", wrapper.format(run=run), AVTO] + EMULATOR +
                    [scratch], encoding="latin-1", timeout=20)
                child.delaybeforesend = None
                self.addCleanup(child.close, force=True)
                console = WineConsole(child)
                modes = console.expect(r"(\S+)\n").group(1)
                self.assertTrue(console.expect("=> "))
                # The prompt is out a moment before Wine turns echo off.
                child.waitnoecho()
                if given == "typed":
                    child.send("3 CYAN\r")
                self.assertTrue(console.expect(
                    r"old svet = \S+\nnem svet = nem svet = CYAN\n\n"
                    r"param: \S+/CYAN/\S+\$\n"))
                # Keys typed before the wait begins are dropped, and nothing
                # on the screen marks its start.
                time.sleep(0.3)
                send_key(child, key)
                end = console.expect(r"(.*)status=(\d+)\n(\S+)\n"
                                     r"left=\[(.*)\]\n")
                self.assertEqual(end.groups(),
                                 ("Destructor activated...\n", "0", modes, ""))


class WithoutTerminal(unittest.TestCase):
    def test_runs_to_the_end_without_waiting(self):
        lost = b"avto: out of memory reading the new value\n"
        cases = [
            (b"3 CYAN\n", r"old svet = \3\nnem svet = nem svet = CYAN\n",
             r"\1/\2/CYAN/\4/\5\$", None, b""),
            (b"", r"wrong choice\n", r"\1/\2/\3/\4/\5\$", None, b""),
            # A word far larger than the memory the program may take.
            (b"1 " + b"W" * 100_000_000, r"old marka = \1\nnem marka = "
             r"nem marka = \1\n", r"\1/\2/\3/\4/\5\$", 60_000, lost),
        ]
        for typed, answer, second, memory_kib, errors in cases:
            with self.subTest(typed=typed[:10], memory_kib=memory_kib):
                if memory_kib and (EMULATOR or UNLIMITED):
                    self.skipTest("the emulator or sanitizer alone needs "
                                  "more address space than the limit")
                run = run_without_terminal(typed, memory_kib=memory_kib)
                self.assertEqual(run.returncode, 1 if errors else 0)
                self.assertEqual(run.stderr, errors)
                self.assertLess(len(run.stdout), 1000)  # no part of a lost word
                pattern = ("\nConstructor activated...\n\nparam: " + CAR +
                           "\n" + re.escape(MENU) + answer + "\nparam: " +
                           second + "\nDestructor activated...\n")
                self.assertRegex(run.stdout.decode(), "^" + pattern + "$")

    def test_each_run_draws_a_fresh_car(self):
        cars = {run_without_terminal(b"").stdout.split(b"\n")[3]
                for _ in range(10)}
        self.assertGreater(len(cars), 1)

    def test_a_lost_transcript_is_a_failure(self):
        with open("/dev/full", "wb") as full:
            run = run_without_terminal(b"1 LADA\n", stdout=full)
        self.assertEqual(run.returncode, 1)
        self.assertEqual(run.stderr,
                         b"avto: write error: No space left on device\n")


if __name__ == "__main__":
    unittest.main()
