#!/usr/bin/env python3
"""Two real copies of ぽるか on one data folder, driven with random commands.

Each copy (tests/main_window/copy_driver, the program's own presenter in
a process of its own) adds, changes, moves, completes and deletes only items
of its own, looks at the files now and then, and is sometimes killed (kill -9)
and started again. At the end both quit, and the files are checked against
what the commands that went through must have left: every item there once, in
its last version; none that was completed or deleted; every memo a record
names present, and no memo named twice.

Usage: soak_two_copies.py DRIVER SECONDS [--bindfs]
  --bindfs  the second copy reaches the data folder through a bindfs mount,
            where the first copy's file locks do not reach it.
"""

import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import time


class Copy:
    def __init__(self, driver, name, program_dir, data_dir):
        self.driver, self.name = driver, name
        self.program_dir, self.data_dir = program_dir, data_dir
        self.process = None
        self.start()

    def start(self):
        self.process = subprocess.Popen(
            [self.driver, self.program_dir, "0", "--data=" + self.data_dir],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, encoding="utf-8")

    def send(self, command):
        self.process.stdin.write(command + "\n")
        self.process.stdin.flush()

    def run(self, command):
        self.send(command)
        answer = self.process.stdout.readline().strip()
        if not answer:
            raise RuntimeError(f"{self.name}: no answer to {command!r}")
        return answer

    def kill(self):
        self.process.send_signal(signal.SIGKILL)
        self.process.wait()

    def quit(self):
        answer = self.run("quit")
        self.process.wait(timeout=60)
        return answer


class Item:
    """What the commands that went through say of one item."""

    def __init__(self, name, kind):
        self.name, self.kind, self.version = name, kind, 0
        self.memo = False
        self.allowed = set()        # contents it may show at the end (a kill leaves two)
        self.may_be_gone = False    # completed, deleted, or never added
        self.uncertain = False      # a kill in the middle of a command on it

    def settled(self):
        return not self.uncertain and not self.may_be_gone

    def content(self):
        return f"{self.name}v{self.version}"


def read_records(path, width):
    """The records of a list file (after its header line), as lists of byte lines."""
    with open(path, "rb") as f:
        lines = f.read().split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    body = lines[1:]
    return [body[i:i + width] for i in range(0, len(body), width)]


def main():
    driver, seconds = sys.argv[1], float(sys.argv[2])
    bindfs = "--bindfs" in sys.argv
    root = tempfile.mkdtemp(prefix="poruka-soak-")
    data = os.path.join(root, "data")
    os.makedirs(data)
    other_data = data
    mount = None
    if bindfs:
        mount = os.path.join(root, "mount")
        os.makedirs(mount)
        subprocess.run(["bindfs", data, mount], check=True)
        other_data = mount
    for name in ("A", "B"):
        os.makedirs(os.path.join(root, "prog" + name))
    copies = [Copy(driver, "A", os.path.join(root, "progA"), data),
              Copy(driver, "B", os.path.join(root, "progB"), other_data)]
    rng = random.Random(20261211)
    items = {"A": [], "B": []}
    counters = {"A": 0, "B": 0}
    done = kills = 0
    deadline = time.time() + seconds
    try:
        while time.time() < deadline:
            copy = rng.choice(copies)
            own = [i for i in items[copy.name] if i.settled()]
            pick = rng.random()
            item, command, after = None, "follow", None
            if pick < 0.3 or not own:
                counters[copy.name] += 1
                item = Item(f"{copy.name}{counters[copy.name]}", rng.choice(("todo", "sche")))
                item.memo = rng.random() < 0.5
                items[copy.name].append(item)
                item.may_be_gone = True
                command = f"add {item.kind} {item.content()} " + ("memo" + item.name if item.memo else "-")
                after = ({item.content()}, False, item.kind, item.version)
            elif pick < 0.75:
                item = rng.choice(own)
                if pick < 0.45:
                    command = f"change {item.kind} {item.content()} {item.name}v{item.version + 1}"
                    after = ({f"{item.name}v{item.version + 1}"}, False, item.kind, item.version + 1)
                else:
                    # Moved, its memo typed anew (or dropped).
                    memo = "memo" + item.name if item.memo else ""
                    command = f"move {item.kind} {item.content()} {memo}".strip()
                    after = ({item.content()}, False, "sche" if item.kind == "todo" else "todo", item.version)
            elif pick < 0.9:
                item = rng.choice(own)
                command = f"{rng.choice(('complete', 'delete'))} {item.kind} {item.content()}"
                after = (set(), True, item.kind, item.version)
            if rng.random() < 0.01:
                # Killed while it works: the command went through, or not.
                copy.send(command)
                time.sleep(rng.random() * 0.02)
                copy.kill()
                kills += 1
                copy.start()
                if item:
                    item.allowed |= after[0]
                    item.may_be_gone = item.may_be_gone or after[1]
                    item.uncertain = True
                continue
            answer = copy.run(command)
            if answer == "ok":
                done += 1
                if item:
                    item.allowed, item.may_be_gone, item.kind, item.version = after
            elif not answer.startswith("error no item"):
                print(f"{copy.name}: {command}: {answer}", file=sys.stderr)
        for copy in copies:
            copy.quit()
    finally:
        if mount:
            subprocess.run(["fusermount", "-u", mount])

    # The files against the commands.
    shown = {}
    memos = {}
    for name, width in (("todo.dat", 11), ("SCHE.DAT", 10)):
        for record in read_records(os.path.join(data, name), width):
            content = record[3].decode("cp932")
            shown[content] = shown.get(content, 0) + 1
            number = int(record[5].strip() or 0)
            if number:
                memos.setdefault(number, []).append(content)
    expected = lost = brought_back = duplicated = 0
    for item in items["A"] + items["B"]:
        versions = {c: n for c, n in shown.items() if re.fullmatch(item.name + r"v\d+", c)}
        total = sum(versions.values())
        duplicated += total > 1
        brought_back += sum(1 for c in versions if c not in item.allowed)
        if item.allowed and not item.may_be_gone:
            expected += 1
            lost += total == 0
            if total == 0 and os.environ.get("SOAK_VERBOSE"):
                print("lost", sorted(item.allowed), item.kind, file=sys.stderr)
    memo_faults = sum(1 for users in memos.values() if len(users) > 1)
    memo_faults += sum(1 for n in memos if not os.path.exists(os.path.join(data, f"~{n:07d}.txt")))
    where = "through a bindfs mount for one copy" if bindfs else "on a local folder"
    print(f"{where}: {done} commands done in {seconds:.0f} s, {kills} kills; "
          f"items expected {expected}, lost {lost}, brought back {brought_back}, "
          f"duplicated {duplicated}, memo faults {memo_faults}")
    return 0 if lost + brought_back + duplicated + memo_faults == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
