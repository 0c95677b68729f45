#!/usr/bin/env bash
# CPU time of an idle program: build-perf/comunicacao-qx7 (offscreen) connected to a silent
# pseudo-terminal linked as COM1 in a temporary base directory, nothing queued after the
# start-up's ID02 has timed out. Prints the CPU time over the window as a percentage of one
# core, from utime+stime in /proc/<pid>/stat.
#
#   tools/idle_cpu.sh [program] [seconds]     defaults: build-perf/comunicacao-qx7, 60
set -euo pipefail
cd "$(dirname "$0")/.."
programa="${1:-build-perf/comunicacao-qx7}"
segundos="${2:-60}"
aquecimento=10  # the start-up and the ID02 time-out (5 s) stay out of the window

exec python3 - "$programa" "$segundos" "$aquecimento" <<'PY'
import os, select, shutil, subprocess, sys, tempfile, time, tty

programa, segundos, aquecimento = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
tique = os.sysconf("SC_CLK_TCK")

def cpu(pid):
    with open(f"/proc/{pid}/stat") as f:
        campos = f.read().rsplit(")", 1)[1].split()
    return (int(campos[11]) + int(campos[12])) / tique  # utime, stime

def esperar(mestre, ate):
    # The far end reads and discards whatever the program sends, and never answers.
    while (resta := ate - time.monotonic()) > 0:
        if select.select([mestre], [], [], resta)[0]:
            try:
                os.read(mestre, 4096)
            except OSError:
                pass

base = tempfile.mkdtemp(prefix="qx7-idle-")
mestre, escravo = os.openpty()
tty.setraw(escravo)
os.symlink(os.ttyname(escravo), os.path.join(base, "COM1"))
with open(os.path.join(base, "Configuração.TXT"), "w") as f:
    f.write("COM1\r\n")
ambiente = dict(os.environ, QX7_DIRETORIO_BASE=base, QT_QPA_PLATFORM="offscreen")
filho = subprocess.Popen([programa], env=ambiente)
try:
    esperar(mestre, time.monotonic() + aquecimento)
    c0, t0 = cpu(filho.pid), time.monotonic()
    esperar(mestre, t0 + segundos)
    c1, t1 = cpu(filho.pid), time.monotonic()
    print(f"ocioso {t1 - t0:.1f} s: CPU {c1 - c0:.2f} s = {100 * (c1 - c0) / (t1 - t0):.3f} % "
          f"de um núcleo (meta < 1 %); desde o início {c1:.2f} s em {t1 - t0 + aquecimento:.1f} s")
finally:
    filho.terminate()
    filho.wait()
    shutil.rmtree(base, ignore_errors=True)
PY
