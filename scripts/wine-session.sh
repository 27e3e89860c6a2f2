# Sourced by the scripts that run the Windows programs under Wine: one private
# prefix in the build folder, one display and one server kept warm for the
# whole run, all stopped when the sourcing script exits.
# The server starts first, from the sourcing shell (never a session leader, so
# it cannot take the simulated logger's pseudo-terminal as its controlling
# terminal), with its standard streams away from any pipe.
export WINEPREFIX=$PWD/build/windows/wineprefix WINEDEBUG=-all WINEARCH=win64
mkdir -p "$WINEPREFIX"
displayfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayfile" </dev/null >/dev/null 2>&1 &
xvfb_pid=$!
stop_wine_session() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$displayfile"
}
trap stop_wine_session EXIT
for _ in $(seq 50); do [ -s "$displayfile" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$displayfile")
(wineserver -f -p </dev/null >/dev/null 2>&1 &)
# Booting starts the prefix's helper processes here, with their standard
# streams on /dev/null too: started by the first test instead, they would hold
# CTest's output pipe open and hang it.
if [ -f "$WINEPREFIX/system.reg" ]; then
    wineboot </dev/null >/dev/null 2>&1
else
    echo "Creating the Wine prefix (once)"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i </dev/null >/dev/null 2>&1
    # Japanese texts in the window's font, as on a Japanese Windows; windows
    # of their own on a display without a window manager, which Wine would
    # otherwise wait for at every window.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /t REG_SZ \
        /d IPAPGothic /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        </dev/null >/dev/null 2>&1
fi
# A Japanese Windows for the tests that need one: Wine takes its language and
# the code page of file names from LC_ALL, and needs the locale to exist for
# file names in Japanese. Compiled once into the build folder (LOCPATH), so
# the machine's own locales stay as they are.
export DATADOCK_JA_LOCPATH=$PWD/build/windows/locale
if [ ! -d "$DATADOCK_JA_LOCPATH/ja_JP.UTF-8" ]; then
    mkdir -p "$DATADOCK_JA_LOCPATH"
    localedef -i ja_JP -f UTF-8 "$DATADOCK_JA_LOCPATH/ja_JP.UTF-8" >/dev/null 2>&1 || true
fi
# Runs a command (or a shell function) as on a Japanese Windows, in a
# subshell; the shell itself does not know the locale and would say so.
in_japanese() {
    (export LOCPATH=$DATADOCK_JA_LOCPATH; { export LC_ALL=ja_JP.UTF-8; } 2>/dev/null; "$@")
}
export -f in_japanese
