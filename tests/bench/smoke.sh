#!/usr/bin/env bash
# Runs scripts/bench.sh --quick on the given build tree and checks the tables it prints: every
# case, start-up and power row present, with numbers that make sense whatever the machine's speed.
#   tests/bench/smoke.sh BUILD_DIR
set -euo pipefail
here=$(dirname "$0")
out=$(BUILD_DIR=$1 "$here/../../scripts/bench.sh" --quick --no-build 2>&1) || {
  echo "$out"
  echo "FAIL: scripts/bench.sh failed"
  exit 1
}
echo "$out"
echo "$out" | awk '
  function fail(why) { print "FAIL: " why; bad = 1 }
  # case rows: title ... ms/frame range frames/s x-base cpu-ms instr calls
  / clear \+ swap | desktop \+ scroller | logo zooming in | stars, falling desktop/ && NF >= 8 {
    rows++
    ms = $(NF - 6); base = $(NF - 3); cpu = $(NF - 2); instr = $(NF - 1); calls = $NF
    if (!(ms > 0 && cpu > 0)) fail("no frame time: " $0)
    if (/clear \+ swap/) { if (base != 1 || calls != 1 || instr != 0) fail("baseline: " $0) }
    else if (!(instr > 10000 && calls > 100)) fail("no instructions or GL calls: " $0)
    if (/stars/ && !(calls > 2 * 500)) fail("fewer GL calls than 500 stars need: " $0)
  }
  /process start to first presented frame/ { first = $NF }
  /process start to current GL context/ { context = $NF }
  /loading the pictures/ { loading = $NF }
  /own instructions for loading/ { loadinstr = $NF }
  /picture files opened/ { opens = $NF }
  /peak memory to the first frame/ { peak1 = $NF }
  /peak memory while running/ { peak2 = $NF }
  /frames\/s of the real program/ { realfps = $NF }
  # power rows: platform size phase-number phase paced frames/s CPU/s X/s Wine/s 60f-CPU /60f
  /^(Linux|Wine) +[0-9]+x[0-9]+ +[02] (desktop|stars) / {
    power[$1 " " $4]++
    if (!($5 > 0 && $6 > 0 && $7 > 0 && $10 > 0 && $11 > 0)) fail("power: " $0)
    if (($1 == "Wine") != ($9 != "-")) fail("Wine/s only for Wine: " $0)
  }
  END {
    if (rows != 4) fail(rows + 0 " case rows instead of 4")
    if (!(first > 0 && context > 0 && context < first)) fail("start-up times")
    if (!(loading > 0 && loading < first)) fail("loading time")
    if (!(loadinstr > 1)) fail("loading instructions")
    if (opens < 8) fail(opens + 0 " picture files opened, expected at least the 8 pictures")
    if (!(peak1 > 1 && peak2 > 1)) fail("peak memory")
    if (!(realfps > 0)) fail("frame rate of the real program")
    split("Linux desktop,Linux stars,Wine desktop,Wine stars", want, ",")
    for (i in want) if (power[want[i]] != 1) fail(power[want[i]] + 0 " power rows for " want[i])
    exit bad
  }'
