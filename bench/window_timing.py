#!/usr/bin/env python3
"""Times the real window under a display: how long from exec until the
window is shown, against a bare GTK program with the same widgets, and the
idle CPU of the running game over 20 seconds.

Usage (from the build folder's parent):
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" \\
    python3 bench/window_timing.py build/game/thornvale build/bench/bare_window
"""
import os, statistics, subprocess, sys, time

def shown_after(cmd, title, runs=10):
    times = []
    for _ in range(runs):
        t0 = time.monotonic()
        p = subprocess.Popen([cmd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        while True:
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                               capture_output=True, text=True)
            if r.stdout.strip():
                break
            time.sleep(0.002)
        times.append((time.monotonic() - t0) * 1000)
        p.terminate()
        p.wait()
    return statistics.median(times)

def idle_cpu(cmd, seconds=20):
    p = subprocess.Popen([cmd], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(2)
    def ticks():
        with open(f"/proc/{p.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    a, t0 = ticks(), time.monotonic()
    time.sleep(seconds)
    b, t1 = ticks(), time.monotonic()
    p.terminate()
    p.wait()
    return 100.0 * (b - a) / os.sysconf("SC_CLK_TCK") / (t1 - t0)

game, bare = sys.argv[1], sys.argv[2]
g = shown_after(game, "Thornvale")
b = shown_after(bare, "Bare")
print(f"window shown after exec: game {g:.0f} ms, bare GTK {b:.0f} ms, ratio {g / b:.2f}")
print(f"idle CPU over 20 s: {idle_cpu(game):.2f} % of one core")
