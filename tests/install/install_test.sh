#!/usr/bin/env bash
# Installs a build into a temporary DESTDIR under /usr, as a distribution
# package would, and checks what a Linux desktop reads from it: where each file
# lands, the desktop entry and the AppStream metadata (through their own
# validators), one application id throughout, the icon sizes, and that the
# installed programs answer --help and --version with no display, and the
# command line's manual page and its bash, fish and zsh completions. Then builds
# the Debian package and checks its computed dependencies and contents.
#   install_test.sh BUILD_FOLDER VERSION
set -euo pipefail
build=$(cd "$1" && pwd)
version=$2
id=io.github.quillmere.Quillmere

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR="$root/destdir" cmake --install "$build" --prefix /usr >"$root/install.log" ||
  { cat "$root/install.log"; fail "cmake --install"; }
usr=$root/destdir/usr

desktop=$usr/share/applications/$id.desktop
metainfo=$usr/share/metainfo/$id.metainfo.xml
cli_man=$usr/share/man/man1/quillmere-cli.1
cli_completion=$usr/share/bash-completion/completions/quillmere-cli
cli_fish=$usr/share/fish/vendor_completions.d/quillmere-cli.fish
cli_zsh=$usr/share/zsh/vendor-completions/_quillmere-cli
for file in "$usr/bin/quillmere" "$usr/bin/quillmere-cli" "$cli_man" "$cli_completion" "$cli_fish" "$cli_zsh" "$desktop" "$metainfo" "$usr/share/icons/hicolor/scalable/apps/$id.svg"; do
  [ -f "$file" ] || fail "not installed: ${file#"$root/destdir"}"
done
[ -x "$usr/bin/quillmere" ] || fail "the program is not executable"
for size in 16 24 32 48 64 128 256; do
  png=$usr/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -f "$png" ] || fail "no ${size} px icon"
  file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "$png is $(file -b "$png")"
done
# Nothing else: a stray file would land on every user's system.
installed_files() { (cd "$root/destdir" && find . -type f); }
unexpected=$(installed_files | grep -v -E "^\./usr/(bin/quillmere(-cli)?$|share/(applications|metainfo|icons/hicolor/[^/]+/apps)/$id\.|share/doc/quillmere/copyright$|share/man/man1/quillmere-cli\.1$|share/bash-completion/completions/quillmere-cli$|share/fish/vendor_completions.d/quillmere-cli\.fish$|share/zsh/vendor-completions/_quillmere-cli$)" || true)
[ -z "$unexpected" ] || fail "unexpected files installed: $unexpected"

# The licence, where Debian and its tools look for it.
grep -q "^License: GPL-3.0-or-later" "$usr/share/doc/quillmere/copyright" || fail "no licence in the copyright file"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$metainfo" || fail "the metadata's licence"

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >"$root/appstream.log" ||
  { cat "$root/appstream.log"; fail "appstreamcli validate"; }
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
grep -qx "Exec=quillmere %f" "$desktop" || fail "the desktop entry does not pass a folder"
grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"
if readelf -d "$usr/bin/quillmere" | grep -E "R(UN)?PATH" | grep -qF "$build"; then
  fail "the installed program still looks for libraries in the build folder"
fi

# The command line answers before any display is needed.
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/quillmere" "$@"; }
[ "$(run --version)" = "quillmere $version" ] || fail "--version printed '$(run --version)'"
run --help | head -n 1 | grep -q "^Usage: quillmere \[FOLDER\]" || fail "--help printed no usage"
for misuse in "one two" "--no-such-option"; do
  # shellcheck disable=SC2086  # two words are two arguments
  if run $misuse >/dev/null 2>"$root/misuse.err"; then status=0; else status=$?; fi
  [ "$status" -eq 2 ] || fail "'quillmere $misuse' exited $status, not 2"
  grep -q "^Usage: quillmere" "$root/misuse.err" || fail "'quillmere $misuse' printed no usage"
done

# The command-line program: no display, no Qt, its manual and completion.
cli() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/quillmere-cli" "$@"; }
[ "$(cli --version)" = "quillmere-cli $version" ] || fail "quillmere-cli --version printed '$(cli --version)'"
cli --help | grep -q "map" || fail "quillmere-cli --help names no map command"
cli replace --help | grep -q "Examples:" || fail "quillmere-cli replace --help shows no examples"
if ldd "$usr/bin/quillmere-cli" | grep -q libQt; then fail "quillmere-cli links Qt"; fi
head -n 1 "$cli_man" | grep -q '^\.TH QUILLMERE\\-CLI 1' || fail "the manual page has no title line"
grep -q "^complete .*quillmere-cli" "$cli_completion" || fail "the bash completion completes nothing"
bash -c "source '$cli_completion' && COMP_WORDS=(quillmere-cli rep); COMP_CWORD=1; _quillmere_cli; [ \"\${COMPREPLY[*]}\" = replace ]" ||
  fail "the bash completion does not complete a command"
grep -q "^complete -c quillmere-cli -n __fish_use_subcommand -a replace" "$cli_fish" ||
  fail "the fish completion offers no commands"
head -n 1 "$cli_zsh" | grep -qx "#compdef quillmere-cli" || fail "the zsh completion names no command"
# zsh completes only at an interactive prompt: one in a pseudo-terminal is
# given the typed words and a tab, and what the line then reads is checked.
cat >"$root/complete.zsh" <<'ZSH'
zmodload zsh/zpty
zpty z zsh -f -i
zpty -w z "PS1='>'; fpath=($1 \$fpath); autoload -U compinit; compinit -u -D; print COMPINIT-DONE"
zpty -r z setup '*COMPINIT-DONE*COMPINIT-DONE*'
zpty -n -w z "$2"$'\t'
sleep 2
out=
while zpty -r -t z chunk; do out+=$chunk; done
zpty -d z
print -r -- "$out"
ZSH
zsh_completes() {
  timeout 30 zsh -f "$root/complete.zsh" "$(dirname "$cli_zsh")" "$1" | grep -qF -- "$2"
}
if command -v zsh >/dev/null; then
  zsh -n "$cli_zsh" || fail "the zsh completion does not parse"
  zsh_completes "quillmere-cli rep" "quillmere-cli replace" ||
    fail "the zsh completion does not complete a command"
  zsh_completes "quillmere-cli number --wi" "quillmere-cli number --width" ||
    fail "the zsh completion does not complete an option"
  zsh_completes "quillmere-cli to-pinyin --tone=m" "--tone=marks" ||
    fail "the zsh completion does not complete a choice"
  # Where the pattern would go, a word that begins with "-" is an option.
  zsh_completes "quillmere-cli regex --ig" "quillmere-cli regex --ignore-case" ||
    fail "the zsh completion does not complete an option before the pattern"
  zsh_completes "quillmere-cli regex '(\\d+)' 'EP\$1' --first" "'EP\$1' --first-only" ||
    fail "the zsh completion does not complete an option after the replacement"
else
  echo "zsh is not installed: its completion was not tried"
fi

# The Debian package: the same files, with dependencies computed from the program.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$root/package" >"$root/cpack.log" 2>&1 ||
  { cat "$root/cpack.log"; fail "cpack -G DEB"; }
deb=$(find "$root/package" -maxdepth 1 -name "quillmere_${version}*.deb" | head -n 1)
[ -n "$deb" ] || fail "no package in $root/package"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/quillmere ./usr/bin/quillmere-cli ./usr/share/man/man1/quillmere-cli.1 \
  ./usr/share/bash-completion/completions/quillmere-cli ./usr/share/fish/vendor_completions.d/quillmere-cli.fish \
  ./usr/share/zsh/vendor-completions/_quillmere-cli \
  "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
  "./usr/share/icons/hicolor/48x48/apps/$id.png" ./usr/share/doc/quillmere/copyright; do
  grep -qF " $file" <<<"$contents" || fail "the package lacks $file"
done
echo "installed, validated and packaged: $(basename "$deb"); Depends: $depends"
