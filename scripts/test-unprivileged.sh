#!/usr/bin/env bash
# Runs the ctest suite of build/ once more as an ordinary user, so that it
# keeps passing for users without root (as root, a test may write where a user
# could not). Run as root, it hands build/ to the user "nobody" for the run and
# back afterwards, with a HOME and TMPDIR of that user's own; where nobody may
# not read the sources, it copies them and builds them as that user. Run as an
# ordinary user, the suite ran unprivileged already.
set -euo pipefail
PATH=$PATH:/usr/sbin:/sbin # runuser
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    echo "The suite ran as $(id -un) already; nothing more to run unprivileged."
    exit 0
fi
user=nobody
work=$(mktemp -d)
chmod 755 "$work"
mkdir -p "$work/home" "$work/tmp"
chown "$user:" "$work/home" "$work/tmp"
owner=$(stat -c %u:%g build 2>/dev/null || id -u)
# The user's own HOME and TMPDIR, none of root's session, in a folder it may enter.
as_user() {
    runuser -u "$user" -- env --chdir="$work" -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME \
        -u DBUS_SESSION_BUS_ADDRESS HOME="$work/home" TMPDIR="$work/tmp" "$@"
}
cleanup() {
    [ -d build ] && chown -R "$owner" build
    rm -rf "$work"
}
trap cleanup EXIT

if as_user test -r "$PWD/src/app/main.cpp"; then
    chown -R "$user:" build
    echo "Running the suite again as $user"
    as_user ctest --test-dir "$PWD/build" --output-on-failure -j2
else
    # The build tree names the sources by their absolute paths, so a copy of
    # it would still use the originals: the copy is built afresh.
    echo "$user may not read $PWD: building a copy of the sources as $user in $work"
    mkdir "$work/src"
    git ls-files -z | xargs -0 cp --parents -t "$work/src"
    chown -R "$user:" "$work/src"
    as_user cmake -S "$work/src" -B "$work/src/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTOLVANE_BUILD_BENCH=OFF >/dev/null
    as_user cmake --build "$work/src/build"
    as_user ctest --test-dir "$work/src/build" --output-on-failure -j2
fi
