#!/bin/sh
# Installs the build into two scratch trees, as `cmake --install --prefix` and as a package
# would (prefix /usr, DESTDIR), and checks where everything lands: the systemd user unit with
# the installed tolvane-cli, the icons under share, encorda as a helper that the recorder finds,
# the shared libraries private and versioned.
#   install_tree_test.sh BUILD_DIR
set -eu

build=$1
. "$(dirname "$0")/checks.sh"

expect_file() { [ -f "$1" ] || fail "missing $1"; }
expect_executable() { [ -x "$1" ] && [ -f "$1" ] || fail "not an executable file: $1"; }
expect_absent() { [ ! -e "$1" ] || fail "should not be installed: $1"; }

# ROOT is where the files are, PREFIX what the installed files say.
check_tree() {
  root=$1
  prefix=$2
  quoted_prefix=$3
  unit="$root/lib/systemd/user/tolvane.service"
  expect_file "$unit"
  grep -qxF "ExecStart=\"$quoted_prefix/bin/tolvane-cli\" run" "$unit" ||
    fail "$unit does not start $prefix/bin/tolvane-cli: $(grep ExecStart "$unit" || true)"
  grep -qx "RestartPreventExitStatus=3" "$unit" || fail "$unit restarts on status 3"

  for program in tolvane tolvane-cli rivetta; do
    expect_executable "$root/bin/$program"
  done
  expect_executable "$root/libexec/tolvane/encorda"
  expect_absent "$root/bin/encorda"
  expect_absent "$root/bin/TV1.svg"
  expect_absent "$root/bin/TV2.svg"
  expect_file "$root/share/icons/hicolor/scalable/apps/tolvane.svg"
  expect_file "$root/share/applications/tolvane.desktop"
  expect_file "$root/share/doc/tolvane/README.md"
  expect_file "$root/share/doc/tolvane/copyright"
  expect_file "$root/share/doc/tolvane/changelog.gz"
  expect_file "$root/share/bash-completion/completions/tolvane-cli"
  for page in tolvane tolvane-cli rivetta encorda; do
    expect_file "$root/share/man/man1/$page.1.gz"
  done
  gzip -dc "$root/share/man/man1/tolvane-cli.1.gz" | grep -q '^\.SH "\?ENVIRONMENT' ||
    fail "tolvane-cli(1) has no ENVIRONMENT section"
  metainfo=$(find "$root/share/metainfo" -name '*.metainfo.xml' 2>/dev/null)
  [ -n "$metainfo" ] || fail "no AppStream metainfo in $root/share/metainfo"

  # What the desktop's and the software centres' own validators say.
  if command -v desktop-file-validate >/dev/null 2>&1; then
    out=$(desktop-file-validate "$root/share/applications/tolvane.desktop" 2>&1) || fail "desktop-file-validate: $out"
  fi
  if command -v appstreamcli >/dev/null 2>&1 && [ -n "$metainfo" ]; then
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
  fi

  find "$root" -path "$root/lib*/tolvane/lib*.so.[0-9]*" | grep -q . || fail "no versioned library in $root/lib*/tolvane"
  stray=$(find "$root" -name 'lib*.so*' ! -path "$root/lib*/tolvane/lib*.so.[0-9]*")
  [ -z "$stray" ] || fail "shared libraries outside the private folder, or without a version: $stray"

  # Every installed program starts: its libraries, and theirs, are found.
  for program in bin/tolvane bin/tolvane-cli bin/rivetta libexec/tolvane/encorda; do
    out=$("$root/$program" --version 2>&1) || fail "$program --version: $out"
  done

  # The installed recorder runs from the tree and finds its encoder among the helpers.
  home="$scratch/home"
  rm -rf "$home"
  status=$(env -u TOLVANE_CAPTURE_SOURCE TOLVANE_HOME="$home" HOME="$home" "$root/bin/tolvane-cli" status 2>&1) ||
    fail "the installed tolvane-cli status failed: $status"
  echo "$status" | grep -qF "MP3 encoder: available ($root/libexec/tolvane/encorda)" ||
    fail "the installed recorder does not find encorda in $root/libexec/tolvane: $status"

  # systemd checks among other things that the program exists where the unit says.
  if [ "$root" = "$prefix" ] && command -v systemd-analyze >/dev/null 2>&1; then
    verify=$(systemd-analyze verify --man=no "$unit" 2>&1) || fail "systemd-analyze verify $unit: $verify"
  fi
}

# An installation under a folder of the user's choosing, whose name systemd would misread.
odd="$scratch/pre %fix"
cmake --install "$build" --prefix "$odd" >/dev/null
check_tree "$odd" "$odd" "$scratch/pre %%fix"

# A package: installed under a staging folder for /usr.
DESTDIR="$scratch/staging" cmake --install "$build" --prefix /usr >/dev/null
check_tree "$scratch/staging/usr" /usr /usr

finish "install tree"
