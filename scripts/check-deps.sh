#!/usr/bin/env bash
# Checks the package list of scripts/ensure-deps.sh against a finished
# build: every file that the configure and the build opened outside the
# checkout and the build folder (the headers in Ninja's dependency log, the
# files and tools on the build's command lines, the CMake package files the
# configure found, the compiler's own programs) must belong to a package in
# the list's dependency closure, the way apt-get --no-install-recommends
# installs it on a bare Debian: Depends and Pre-Depends only, no Recommends,
# on top of the packages every Debian has (Essential, Priority required).
#
# Usage: scripts/check-deps.sh BUILD_DIR
# Exits 0 when the list covers the build, 1 when it does not (naming the
# packages to add), 77 when it cannot tell here (no dpkg, not a Ninja
# build, nothing built yet).
set -u

here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: check-deps.sh BUILD_DIR}" && pwd)"

skip() {
  echo "SKIPPED: $*"
  exit 77
}

command -v dpkg-query >/dev/null 2>&1 && [ -d /var/lib/dpkg/info ] || skip "this machine has no dpkg"
cache="$build/CMakeCache.txt"
[ -f "$cache" ] && [ -f "$build/build.ninja" ] || skip "$build is not a Ninja build"
[ -f "$build/.ninja_deps" ] || skip "$build has not been built yet"

# The value of a CMake cache entry.
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$cache" | head -n 1; }

ninja="$(cache_value CMAKE_MAKE_PROGRAM)"
[ -x "$ninja" ] || skip "the build's ninja ($ninja) is not there"
source_dir="$(cache_value CMAKE_HOME_DIRECTORY)"
cxx="$(cache_value CMAKE_CXX_COMPILER)"
# A compiler launcher (ccache) is the developer's own choice, not the build's.
launchers=" $(cache_value CMAKE_CXX_COMPILER_LAUNCHER) $(cache_value CMAKE_C_COMPILER_LAUNCHER) "

# shellcheck source=ensure-deps.sh
source "$here/ensure-deps.sh"
set +e +o pipefail  # the lists below are gathered whatever single commands say

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# ---------------------------------------------------------------- opened files
{
  # Headers, system ones included.
  "$ninja" -C "$build" -t deps | sed -n 's/^    //p'
  # Every absolute path on a command line: tools, libraries, include files.
  "$ninja" -C "$build" -t commands | tr ' \t"' '\n\n\n' | sed -n 's/^\(-I\|-L\|-isystem\|-Wl,\)\{0,1\}\(\/[^,;]*\)$/\2/p'
  # The CMake package files that find_package read, and files the
  # configure found.
  sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/.*\)$/\1/p' "$cache" | while IFS= read -r dir; do
    for f in "$dir"/*[Cc]onfig.cmake "$dir"/*-config.cmake; do
      if [ -f "$f" ]; then printf '%s\n' "$f"; fi
    done
  done
  # (A library that a Find module only looked up is not one the build used:
  # the libraries linked are on the command lines.)
  sed -n 's/^pkgcfg_lib_[A-Za-z0-9_]*:FILEPATH=\(\/.*\)$/\1/p' "$cache"
  for entry in CMAKE_COMMAND PKG_CONFIG_EXECUTABLE CMAKE_CXX_COMPILER CMAKE_C_COMPILER; do cache_value "$entry"; done
  # The compiler's own programs.
  if [ -x "$cxx" ]; then
    for prog in cc1plus cc1 as ld collect2 lto-wrapper; do "$cxx" -print-prog-name="$prog" 2>/dev/null || true; done
  fi
} | sort -u | while IFS= read -r path; do
  [ -f "$path" ] || continue
  case "$path" in "$source_dir"/* | "$build"/*) continue ;; esac
  case "$launchers" in *" $path "*) continue ;; esac
  printf '%s\n' "$path"
done >"$work/opened"

# Each file with the names dpkg may know it by, in this order: as written
# (a link such as libz.so belongs to the -dev package, its target to the
# library's own), with or without /usr in front (the merged /usr), then with
# its links resolved.
while IFS= read -r path; do
  real="$(readlink -f "$path")"
  rank=0
  for p in "$path" "$real"; do
    printf '%s\t%d\t%s\n' "$path" "$rank" "$p"
    case "$p" in
      /usr/bin/* | /usr/sbin/* | /usr/lib/* | /usr/lib64/*) printf '%s\t%d\t%s\n' "$path" "$((rank + 1))" "${p#/usr}" ;;
      /bin/* | /sbin/* | /lib/* | /lib64/*) printf '%s\t%d\t%s\n' "$path" "$((rank + 1))" "/usr$p" ;;
    esac
    rank=2
  done
done <"$work/opened" >"$work/names"

# The package of each file, from dpkg's own file lists: the owners of the
# first name that has any.
awk -F '\t' '
  FNR == NR { want[$3] = want[$3] SUBSEP $1 "\t" $2; next }
  FNR == 1 { pkg = FILENAME; sub(/.*\//, "", pkg); sub(/\.list$/, "", pkg); sub(/:.*/, "", pkg) }
  ($0 in want) {
    n = split(substr(want[$0], 2), files, SUBSEP)
    for (i = 1; i <= n; i++) print files[i] "\t" pkg
  }
' "$work/names" /var/lib/dpkg/info/*.list | sort -u |
  awk -F '\t' '
    !($1 in best) || $2 < best[$1] { best[$1] = $2; owners[$1] = "" }
    $2 == best[$1] { owners[$1] = owners[$1] " " $3 }
    END { for (f in owners) print f "\t" substr(owners[f], 2) }
  ' >"$work/owners"

# ---------------------------------------------------------------- the closure
dpkg-query -W -f='${db:Status-Abbrev}\t${Package}\t${Essential}\t${Priority}\t${Provides}\t${Pre-Depends}, ${Depends}\n' \
  >"$work/status"
printf '%s\n' "${BRANTEL_PACKAGES[@]}" apt >"$work/roots"

awk -F '\t' '
  function bare(name) {
    sub(/\(.*/, "", name); sub(/:.*/, "", name); gsub(/[ \t]/, "", name); return name
  }
  FNR == NR { roots[$1] = 1; next }
  $1 !~ /^ii/ { next }
  {
    pkg = $2; installed[pkg] = 1; deps[pkg] = $6
    if ($3 == "yes" || $4 == "required") roots[pkg] = 1
    n = split($5, provided, ",")
    for (i = 1; i <= n; i++) { v = bare(provided[i]); if (v != "") providers[v] = providers[v] " " pkg }
  }
  function take(name,   list, k, m) {
    if (name in installed) { if (!(name in closure)) { closure[name] = 1; queue[++tail] = name } }
    if (name in providers) {
      m = split(providers[name], list, " ")
      for (k = 1; k <= m; k++) take(list[k])
    }
  }
  END {
    for (r in roots) {
      if (r in installed || r in providers) take(r)
      else print "NOTINSTALLED\t" r
    }
    for (head = 1; head <= tail; head++) {
      n = split(deps[queue[head]], groups, ",")
      for (i = 1; i <= n; i++) {
        m = split(groups[i], alternatives, "|")
        for (j = 1; j <= m; j++) { a = bare(alternatives[j]); if (a != "") take(a) }
      }
    }
    for (p in closure) print "CLOSURE\t" p
  }
' "$work/roots" "$work/status" >"$work/closure"

# ---------------------------------------------------------------- the verdict
awk -F '\t' '
  FILENAME == ARGV[1] { if ($1 == "CLOSURE") closure[$2] = 1; else if ($1 == "NOTINSTALLED") absent[$2] = 1; next }
  FILENAME == ARGV[2] { owners[$1] = $2; next }
  {
    path = $0
    if (!(path in owners)) { unowned[++nu] = path; next }
    n = split(owners[path], list, " ")
    covered = 0
    for (i = 1; i <= n; i++) if (list[i] in closure) covered = 1
    if (!covered) for (i = 1; i <= n; i++) if (!(list[i] in example)) { example[list[i]] = path; missing[++nm] = list[i] }
    files++
  }
  END {
    for (a in absent) printf "note: %s of the list is not installed here\n", a
    for (i = 1; i <= nu; i++) printf "a file of no package: %s\n", unowned[i]
    for (i = 1; i <= nm; i++) printf "not in the list'"'"'s closure: %s (for %s)\n", missing[i], example[missing[i]]
    printf "%d files the build opened, from %d packages outside the list'"'"'s closure, %d of no package\n", files + nu, nm, nu
    exit (nm > 0 || nu > 0) ? 1 : 0
  }
' "$work/closure" "$work/owners" "$work/opened" || {
  echo "Add the packages above to BRANTEL_PACKAGES in scripts/ensure-deps.sh (or install files only from packages)."
  exit 1
}
