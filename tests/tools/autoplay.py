#!/usr/bin/env python3
"""Plays a whole game in headless mode, deciding each move from the state, and writes
the moves as a replay file (with expect lines at each checkpoint) for the test suite.

    tests/tools/autoplay.py GAME DATA_DIR OUT.replay [--shots]

The replay it writes is committed; this script is only needed to make it anew when the
demo data or the game changes on purpose."""
import json
import subprocess
import sys

game, data, out = sys.argv[1], sys.argv[2], sys.argv[3]
with_shots = "--shots" in sys.argv

proc = subprocess.Popen([game, "--headless", "--data", data, "--seed", "7", "--replay", "-"],
                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)
lines = []


def send(cmd, record=True):
    if record:
        lines.append(cmd)
    proc.stdin.write(cmd + "\n")
    proc.stdin.flush()


def state():
    send("state", record=False)
    return json.loads(proc.stdout.readline())


def expect(path, value):
    lines.append("expect %s %s" % (path, json.dumps(value, ensure_ascii=False)))


def shot(name):
    if with_shots:
        lines.append("shot " + name)


def click(x, y):
    send("click %d %d" % (x, y))
    send("settle")


def center(layout_x, layout_y, w, h):
    return layout_x + w // 2, layout_y + h // 2


WALK = {b: (215 + ((b - 1) % 3) * 117 + 55, 122 + ((b - 1) // 3) * 99 + 41) for b in range(1, 7)}
BAR = {i: (297 + 46 * (i - 1) + 23, 376) for i in range(1, 5)}
JOB = {1: (225, 130), 2: (405, 130), 3: (225, 250), 4: (405, 250)}

send("wait 2200")
s = state()
expect("GameMode", 1)
shot("title")
click(300, 286)  # はじめる
checkpoints = set()
job_turn = 0
lunch_turn = 0
evening_plan = []
steps = 0
last_day = 0
while steps < 3000:
    steps += 1
    s = state()
    mode, adv = s["GameMode"], s["Adv"]
    step, day = adv["TrainStep"], adv["Day"]
    if s["closed"]:
        break
    if day != last_day:
        last_day = day
        expect("Adv.Day", day)
        for i in range(1, 5):
            expect("Ability.%d" % i, s["Ability"][str(i)])
        for k in range(1, 4):
            expect("CharaStat.%d.Affection" % k, s["CharaStat"][str(k)]["Affection"])
    if mode == 7:
        expect("GameMode", 7)
        expect("SceneLabel", s["SceneLabel"])
        shot("closing")
        click(320, 240)
        s = state()
        expect("GameMode", 1)
        break
    if mode in (5, 6):
        click(320, 240)
        continue
    if mode == 12:
        click(100, 395)
        continue
    if mode == 13:
        key = ("talk", step)
        if key not in checkpoints:
            checkpoints.add(key)
            shot("talk_step%d_day%d" % (step, day))
        click(*BAR[1 + (day % 2)])  # topics 1 or 2
        continue
    if mode == 10:
        click(523, 431)  # back from the status screen
        continue
    if mode != 4:
        send("wait 100")
        continue
    key = (day, step)
    if key not in checkpoints:
        checkpoints.add(key)
        expect("Adv.TrainStep", step)
        if ("shot", step, adv["Half"]) not in checkpoints:
            checkpoints.add(("shot", step, adv["Half"]))
            shot("step%d_half%d_day%d" % (step, adv["Half"], day))
    if step == 1:
        click(320, 240)
    elif step == 2:
        job_turn += 1
        click(*JOB[1 + job_turn % 4])
    elif step == 3:
        click(473, 441)
    elif step in (4, 5):
        send("wait 3000")
        click(320, 240)
    elif step in (11, 12, 20, 21):
        click(320, 240)
    elif step == 15:
        lunch_turn += 1
        who = 1 + lunch_turn % 3
        click(206 + 130 * (who - 1) + 50, 160)
    elif step == 18:
        click(*WALK[5])
    elif step == 8:
        # Evening: first visit the dormitory, then study, then sleep.
        if not evening_plan or evening_plan[0] != day:
            evening_plan = [day, "walk"]
            click(*BAR[3])
        elif evening_plan[1] == "walk":
            evening_plan[1] = "room"
            click(*BAR[1])
        else:
            click(*BAR[1])
    elif step == 10:
        met = adv["Met"]
        visited = evening_plan[2:] if len(evening_plan) > 2 else []
        order = [4, 2, 3, 5] if adv["Area"] == 0 else [5]
        target = next((b for b in order if b not in visited), 5)
        evening_plan.append(target)
        click(*WALK[target])
    elif step == 16:
        click(*BAR[1])  # sleep
    elif step == 17:
        click(260 + 55, 211)  # self-study
    elif step == 9:
        send("wait 100")
    else:
        click(320, 240)

send("quit", record=False)
proc.wait()
with open(out, "w") as f:
    f.write("#! data demo\n#! seed 7\n#! golden tests/golden/whole_game\n"
            "# A whole game on the demo data, made by tests/tools/autoplay.py.\n")
    f.write("\n".join(lines) + "\n")
print("steps", steps, "lines", len(lines), "last day", last_day)
