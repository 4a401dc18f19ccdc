"""quorbit1-cli on a terminal, driven as a person would through a pseudo-terminal: line editing
with the arrow keys, Home and End, Ctrl-R and Ctrl-D; the history kept for the next run; and
the same program in a pipe, which keeps nothing, shows no prompt and writes in blocks unless
told to write each line."""
import os
import pty
import select
import subprocess
import sys
import tempfile
import time

CLI = sys.argv[1]
UP, HOME, END, CTRL_R, CTRL_D = b"\x1b[A", b"\x1b[H", b"\x1b[F", b"\x12", b"\x04"


def session(env, keys, argv=None):
    """Types each piece of keys once the program is waiting; returns all it wrote."""
    pid, fd = pty.fork()
    if pid == 0:
        os.execve(CLI, argv or [CLI], env)
    output = b""

    def read_until_quiet(timeout=0.3):
        nonlocal output
        deadline = time.time() + 10
        while time.time() < deadline:
            ready, _, _ = select.select([fd], [], [], timeout)
            if not ready:
                return
            try:
                chunk = os.read(fd, 4096)
            except OSError:
                return
            if not chunk:
                return
            output += chunk

    read_until_quiet()
    for piece in keys:
        os.write(fd, piece)
        read_until_quiet()
    _, status = os.waitpid(pid, 0)
    os.close(fd)
    return output.decode("utf-8", errors="replace"), os.waitstatus_to_exitcode(status)


def main():
    failures = []
    with tempfile.TemporaryDirectory() as data:
        env = dict(os.environ, XDG_DATA_HOME=data, TERM="xterm")
        env.pop("QUORBIT1_NO_HISTORY", None)
        out, status = session(env, [b"1+1\r", UP + b"\r", b"2*3" + HOME + b"1" + END + b"0\r",
                                    b"x=1\r", CTRL_R + b"1+", b"\r", CTRL_D])
        answers = [line.strip() for line in out.splitlines() if line.strip()[:1].isdigit()]
        # A refused text is answered, and recalled in the session, but not kept.
        if answers != ["2", "2", "360", "360\t= is not supported. Restructure.", "2"] or (
                "^[[A" in out or status != 1):
            failures.append(f"first run: answers {answers}, status {status}: {out!r}")
        history = os.path.join(data, "quorbit1", "history")
        with open(history, encoding="utf-8") as f:
            if f.read() != "1+1\n12*30\n1+1\n":
                failures.append("history file after the first run")
        if os.stat(history).st_mode & 0o777 != 0o600:
            failures.append("history file is not private")

        out, _ = session(env, [UP + UP + b"\r", CTRL_D])
        if "360" not in out:
            failures.append(f"a new run does not recall the last one: {out!r}")

        for off in ([CLI], [CLI, "--no-history"]):
            environment = dict(env, QUORBIT1_NO_HISTORY="1") if len(off) == 1 else env
            out, _ = session(environment, [UP + b"\r", b"7\r", CTRL_D], off)
            if "360" in out or "\n2\r\n" in out:
                failures.append(f"{off} with {environment.get('QUORBIT1_NO_HISTORY')}: {out!r}")

        # Text outside ASCII, typed in a UTF-8 terminal whatever the locale says: answered as
        # every other face answers it, kept byte for byte, and recalled whole next time.
        for lang in ("C.UTF-8", "C"):
            unicode_env = dict(env, LANG=lang, LC_ALL=lang)
            out, _ = session(unicode_env, ["3×4\r".encode(), CTRL_D])
            if "7\tInvalid character." not in out.replace("\r", ""):
                failures.append(f"3×4 with LANG={lang}: {out!r}")
        with open(history, "rb") as f:
            if not f.read().endswith("3×4\n".encode()):
                failures.append("3×4 is not kept byte for byte")
        out, _ = session(dict(env, LANG="C.UTF-8"), [UP + b"\r", CTRL_D])
        if "7\tInvalid character." not in out.replace("\r", ""):
            failures.append(f"3×4 is not recalled whole: {out!r}")

        piped = subprocess.run([CLI], input=b"5+5\n", env=env, capture_output=True, check=False)
        if piped.stdout != b"10\n" or b"quorbit1>" in piped.stderr:
            failures.append(f"in a pipe: {piped.stdout!r} {piped.stderr!r}")
        with open(history, encoding="utf-8") as f:
            kept = f.read()
            if kept != "1+1\n12*30\n1+1\n12*30\n3×4\n":
                failures.append(f"a pipe or a run without history wrote the history: {kept!r}")
    # Through pipes, an answer is written at once only with --line-buffered; without it the
    # output waits for the end of the input, in large blocks.
    for args, answered in (([CLI, "--line-buffered"], True), ([CLI], False)):
        proc = subprocess.Popen(args, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        proc.stdin.write(b"1+1\n")
        proc.stdin.flush()
        ready = select.select([proc.stdout], [], [], 5 if answered else 0.5)[0]
        if bool(ready) != answered or (ready and proc.stdout.readline() != b"2\n"):
            failures.append(f"{args}: answer {'not ' if answered else ''}written before the end")
        proc.stdin.close()
        proc.wait()
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
