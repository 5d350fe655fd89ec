#!/bin/bash
# Runs inside the emulated machine: makes a 32-bit Wine prefix, then on each Windows version
# installs the medium with `setup.exe /B` and removes it with the installed `unsetup.exe /U /B`.
# Lines that start with "step:" and "report:" are for the host, which times the steps (the
# guest's clock is not to be trusted) and reads the reports; what the host checks in detail goes
# onto the third disk as a tar: for each version the machine before Setup, after it and after
# Unsetup (the registry files and a listing of drive C:), the installed files, links and log.
set -u
payload=/payload
out=/root/out
work=/root/wine
export HOME=/root/home WINEDEBUG=-all DISPLAY=:7
mkdir -p "$HOME" "$out" "$work"
set -a
. "$payload/guest.env"  # GUEST_VERSIONS, WINEDLLOVERRIDES
set +a

step() { echo "step: $*"; }
report() { echo "report: $*"; }

Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &

# The state of the prefix as the host compares it: both registry files and every entry below
# C:\ (type, size, path), symbolic links left out as the host's own snapshots leave them out.
keep_state() {  # keep_state PREFIX DIR
  mkdir -p "$2"
  cp "$1/system.reg" "$1/user.reg" "$2/"
  (cd "$1/drive_c" && find . -mindepth 1 ! -type l -printf '%y\t%s\t%P\n') >"$2/files.txt"
}

stop_server() { timeout 30 wineserver -k 2>/dev/null; sleep 1; }
scheduler() { pgrep -f kmsched.exe >/dev/null && echo running || echo absent; }

step "wineboot"
WINEARCH=win32 WINEPREFIX=$work/template wineboot -i >"$out/wineboot.log" 2>&1
report "wineboot $?"
WINEPREFIX=$work/template wine regedit /S 'Z:\payload\settings.reg' >/dev/null 2>&1
WINEPREFIX=$work/template timeout 60 wineserver -w
step "wineboot done"

for version in $GUEST_VERSIONS; do
  prefix=$work/$version
  kept=$out/$version
  mkdir -p "$kept"
  cp -a "$work/template" "$prefix"
  export WINEPREFIX=$prefix
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  ln -sfn "$payload/medium" "$prefix/dosdevices/d:"
  stop_server  # drive types are read when the server starts
  keep_state "$prefix" "$kept/before"

  step "install $version"
  timeout 300 wine "$payload/notifywait.exe" 'D:\DISK01\setup.exe' /B >"$kept/setup.txt" 2>&1
  step "install $version done"
  report "setup $version $(tr -d '\r' <"$kept/setup.txt" | tr '\n' ' ')"
  report "scheduler $version after-setup $(scheduler)"
  # What the program itself writes when it runs, for Unsetup to remove.
  wine reg add 'HKCU\Software\Orvane\Kalmora\4.0' /v LastAlbum /d holidays /f >/dev/null 2>&1
  stop_server
  keep_state "$prefix" "$kept/installed"
  (cd "$prefix/drive_c" && tar -cf "$kept/installed/drive_c.tar" KALMORA users windows/kmwin4.log)

  # The scheduler runs again, as after a restart, for Unsetup to close.
  wine 'C:\KALMORA\kmsched.exe' >/dev/null 2>&1 &
  sleep 5
  report "scheduler $version before-removal $(scheduler)"
  step "removal $version"
  timeout 300 wine "$payload/notifywait.exe" 'C:\KALMORA\unsetup.exe' /U /B >"$kept/unsetup.txt" 2>&1
  # The uninstaller's own file goes a moment after it has ended.
  for _ in $(seq 1 60); do [ -e "$prefix/drive_c/KALMORA" ] || break; sleep 0.5; done
  step "removal $version done"
  report "unsetup $version $(tr -d '\r' <"$kept/unsetup.txt" | tr '\n' ' ')"
  report "scheduler $version after-removal $(scheduler)"
  stop_server
  keep_state "$prefix" "$kept/after"
  rm -rf "$prefix"
done

step "results"
tar -cf /dev/vdc -C "$out" .
sync
report "results written"
