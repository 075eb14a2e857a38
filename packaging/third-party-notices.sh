#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES.txt to standard output: the notices of the code that
# the MinGW-w64 toolchain links statically into ZAVCaption.exe, taken from the
# copyright files Debian installs with that toolchain, so that they always match the
# toolchain that built the program. Fails when one of them is missing.
set -euo pipefail

doc=${ZAV_TOOLCHAIN_DOC:-/usr/share/doc}
mingw="$doc/mingw-w64-x86-64-dev/copyright"
[ -f "$mingw" ] || mingw="$doc/mingw-w64-common/copyright"
gcc="$doc/gcc-mingw-w64-base/copyright"
gpl3=/usr/share/common-licenses/GPL-3
for f in "$mingw" "$gcc" "$gpl3"; do
  [ -f "$f" ] || { echo "missing $f (install the MinGW-w64 toolchain)" >&2; exit 1; }
done

# GCC's statement of which runtime libraries carry the GCC Runtime Library Exception,
# and the exception itself.
gcc_part=$(awk '
  /^COPYRIGHT STATEMENTS AND LICENSING TERMS/ { on = 1 }
  /^The libbacktrace library/ { on = 0 }
  /^GCC RUNTIME LIBRARY EXCEPTION/ { on = 1 }
  on { print }
  on && /requirements of the license of GCC\./ { exit }' "$gcc")
case $gcc_part in
  *"GCC RUNTIME LIBRARY EXCEPTION"*"Grant of Additional Permission"*) ;;
  *) echo "the GCC Runtime Library Exception was not found in $gcc" >&2; exit 1 ;;
esac
grep -q 'winpthreads' "$mingw" || { echo "no winpthreads notice in $mingw" >&2; exit 1; }

rule='================================================================================'
cat <<EOF
Third-party notices for ZAV Caption

ZAVCaption.exe is built with the MinGW-w64 cross toolchain (GCC) and linked
statically, so it carries parts of these libraries:

  1. The MinGW-w64 runtime (C runtime start-up code and library, and winpthreads,
     the POSIX threads library), by the mingw-w64 project and others: the ZPL-2.1,
     expat (MIT), BSD and public-domain terms listed in section 1.
  2. GCC's runtime libraries libgcc and libstdc++, by the Free Software Foundation:
     the GNU General Public License version 3 with the GCC Runtime Library Exception
     version 3.1 (section 2), the exception that lets programs compiled with GCC be
     distributed on terms of their own. The GPL version 3 follows as section 3.

The texts below are those the Debian packages of that toolchain carry.

$rule
1. MinGW-w64 runtime and winpthreads (Debian's copyright file of mingw-w64)
$rule

EOF
cat "$mingw"
printf '\n%s\n2. GCC runtime libraries (from Debian'"'"'s copyright file of gcc-mingw-w64)\n%s\n\n' "$rule" "$rule"
printf '%s\n' "$gcc_part"
printf '\n%s\n3. GNU General Public License, version 3\n%s\n\n' "$rule" "$rule"
cat "$gpl3"
