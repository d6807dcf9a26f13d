#!/bin/sh
# What scripts/install-deps installs for each command, as its dry run lists it: `run` only what
# building and running need, `test` the test tools and the sound servers, but never a second
# sound server beside the one a desktop has. dpkg-query is a stand-in that knows the installed
# packages.
#   install_deps_test.sh SOURCE_DIR
set -eu

script="$1/scripts/install-deps"
. "$(dirname "$0")/checks.sh"

mkdir "$scratch/bin"
cat > "$scratch/bin/dpkg-query" <<'QUERY'
#!/bin/sh
# dpkg-query -W -f=FORMAT PACKAGE: installed when the package is named in $INSTALLED.
for p in $INSTALLED; do
  [ "$p" = "$3" ] && { printf 'install ok installed'; exit 0; }
done
exit 1
QUERY
chmod +x "$scratch/bin/dpkg-query"

# dry_run SET INSTALLED...: the packages the dry run lists, one a line.
dry_run() {
  set_name=$1
  shift
  INSTALLED="$*" PATH="$scratch/bin:$PATH" sh "$script" --dry-run "$set_name"
}
has() { echo "$1" | grep -qx "$2"; }

run=$(dry_run run)
for p in cmake qt6-base-dev libmp3lame-dev libavformat-dev libasound2-plugins fonts-noto-cjk scdoc; do
  has "$run" "$p" || fail "run does not install $p"
done
for p in pulseaudio libgtest-dev libbenchmark-dev clang sox mpg123 pipewire-pulse; do
  has "$run" "$p" && fail "run installs $p, which only tests, benchmarks or fuzzing need"
done

test_set=$(dry_run test)
for p in cmake libgtest-dev pulseaudio pipewire-pulse wireplumber pulseaudio-utils sox ffmpeg mpg123 dbus; do
  has "$test_set" "$p" || fail "test does not install $p on a machine without a sound server"
done
has "$test_set" libbenchmark-dev && fail "test installs Google Benchmark"

beside_pipewire=$(dry_run test pipewire pipewire-pulse)
has "$beside_pipewire" pulseaudio && fail "test installs pulseaudio beside pipewire-pulse"
has "$beside_pipewire" wireplumber || fail "test does not complete the PipeWire that is there"
has "$beside_pipewire" pulseaudio-utils || fail "test does not install pactl beside pipewire-pulse"
beside_pulseaudio=$(dry_run test pulseaudio)
has "$beside_pulseaudio" pipewire-pulse && fail "test installs pipewire-pulse beside pulseaudio"

# Nothing is listed that is there already; an unknown set is refused.
[ -z "$(dry_run run $run)" ] || fail "the dry run lists installed packages"
if dry_run nonsense >/dev/null 2>&1; then fail "an unknown set is accepted"; fi

finish install-deps
