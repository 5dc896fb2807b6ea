#!/usr/bin/env bash
# Runs scripts/install-deps against stub apt-get, dpkg and dpkg-query that
# record their calls and fail the way a mirror between two syncs does.
# Prints "ok NAME" or "FAIL NAME" per case; exits non-zero on a failure.
set -uo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# $1: how the stub install behaves: "refuse-first" or "refuse-always"
make_stubs() {
  local bin=$work/$1/bin
  mkdir -p "$bin"
  cat > "$bin/apt-get" <<STUB
#!/usr/bin/env bash
echo "apt-get \$*" >> "$work/$1/calls"
case "\$*" in
  update*) exit 100 ;;
  *install*-t\ bookworm*) [ "$1" = refuse-first ] && touch "$work/$1/installed" && exit 0; exit 100 ;;
  *install*) exit 100 ;;
esac
STUB
  # nothing is installed until an install succeeds
  printf '#!/bin/sh\n[ -e "%s" ] && echo "install ok installed"\n' "$work/$1/installed" > "$bin/dpkg-query"
  printf '#!/bin/sh\necho i386\n' > "$bin/dpkg"
  printf '#!/bin/sh\necho 0\n' > "$bin/id"
  printf '#!/bin/sh\n' > "$bin/sleep"
  chmod +x "$bin"/*
  printf 'VERSION_CODENAME=bookworm\n' > "$work/$1/os-release"
}

run() {  # runs the script with the stubs of $1; output in $work/$1/out
  make_stubs "$1"
  PATH="$work/$1/bin:$PATH" INSTALL_DEPS_OS_RELEASE="$work/$1/os-release" \
    scripts/install-deps > "$work/$1/out" 2>&1
}

failed=0
check() {  # $1 name, $2 condition result (0 = holds)
  if [ "$2" -eq 0 ]; then echo "ok $1"; else echo "FAIL $1"; failed=1; fi
}

# update fails every time, the first install refuses, the release suite resolves
run refuse-first; rc=$?
calls=$work/refuse-first/calls
check "install-deps succeeds through the fallbacks" $([ "$rc" -eq 0 ]; echo $?)
check "install-deps retries the index update" $([ "$(grep -c '^apt-get update' "$calls")" -eq 3 ]; echo $?)
check "install-deps goes on after the update fails" \
  $(grep -q 'going on with the package indexes it has' "$work/refuse-first/out"; echo $?)
check "install-deps installs with the release suite alone" \
  $(sed -n 4p "$calls" | grep -qv -- ' -t ' && sed -n 5p "$calls" | grep -q -- 'install .*-t bookworm .*wine32:i386'; echo $?)
check "install-deps reports the fallback" \
  $(grep -q 'trying again with the release suite bookworm alone' "$work/refuse-first/out"; echo $?)

# every install refuses: a non-zero end and one line naming what is missing
run refuse-always; rc=$?
check "install-deps fails when nothing installs" $([ "$rc" -ne 0 ]; echo $?)
check "install-deps names what could not be had" \
  $([ "$(grep -c '^install-deps: could not install: cmake .*wine32:i386' "$work/refuse-always/out")" -eq 1 ]; echo $?)
exit $failed
