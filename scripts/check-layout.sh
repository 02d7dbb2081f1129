#!/bin/sh
# The layering of the source folders, read from their includes:
#   - only files under a qt/ folder include Qt (the rest is qorcore);
#   - a folder includes only itself and the folders below it:
#       platform/  nothing else of ours
#       database/  platform/
#       reports/   database/ platform/
#       editors/   database/ platform/
#       shell/     reports/ editors/ database/ platform/
#     and a qt/ folder what its folder may, plus the qt/ folders of those,
#     so no two folders ever include each other.
#   - an exporter plugin (exporters/) is Qt code that may include only its
#     own folder and the exporter interface (editors/QORExporter.h,
#     editors/qt/QORExporterPlugin.h): it knows nothing of the program.
#   - the document's item counters and its reference titles are written by
#     the document alone (database/): the other folders call its functions.
# "check-layout.sh qt" checks the first rule alone, "folders" the others;
# without an argument all. Prints every offending include and fails when
# there is one.
set -u
cd "$(dirname "$0")/.."
rules=${1:-all}
layers="platform database reports editors shell"

below() {
  case $1 in
    database) echo platform ;;
    reports | editors) echo database platform ;;
    shell) echo reports editors database platform ;;
  esac
}

# Whether a file of folder $1 (qt: $2 is 1) may include our path $3.
may_include() {
  target=${3%%/*}
  case $3 in */qt/*) target_qt=1 ;; *) target_qt=0 ;; esac
  [ "$target_qt" = 1 ] && [ "$2" = 0 ] && return 1
  for allowed in "$1" $(below "$1"); do
    [ "$target" = "$allowed" ] && return 0
  done
  return 1
}

failed=0
for layer in $layers; do
  [ -d "$layer" ] || continue
  for file in $(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' \) | sort); do
    case $file in */qt/*) qt=1 ;; *) qt=0 ;; esac
    if [ "$rules" != folders ] && [ "$qt" = 0 ]; then
      if grep -nE '#include <Q|QtWidgets|QApplication|QMessageBox' "$file" | sed "s|^|$file:|" | grep .; then
        echo "  ^ only files under a qt/ folder may use Qt"
        failed=1
      fi
    fi
    [ "$rules" = qt ] && continue
    grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$file" |
      sed -E 's/^([0-9]+):.*"([^"]*)".*/\1 \2/' > "${TMPDIR:-/tmp}/qor-layout.$$"
    while read -r line path; do
      case $path in
        ../* | */../*) ;;
        *) may_include "$layer" "$qt" "$path" && continue ;;
      esac
      allowed=$(for folder in "$layer" $(below "$layer"); do printf '%s/ ' "$folder"; done)
      [ "$qt" = 1 ] && allowed="${allowed}and their qt/ folders" || allowed="${allowed}(no qt/ folder)"
      echo "$file:$line: includes \"$path\"; $file may include only $allowed"
      failed=1
    done < "${TMPDIR:-/tmp}/qor-layout.$$"
    rm -f "${TMPDIR:-/tmp}/qor-layout.$$"
  done
done
if [ "$rules" != qt ] && [ -d exporters ]; then
  for file in $(find exporters -type f \( -name '*.h' -o -name '*.cpp' \) | sort); do
    grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$file" |
      sed -E 's/^([0-9]+):.*"([^"]*)".*/\1 \2/' |
      while read -r line path; do
        case $path in
          exporters/* | editors/QORExporter.h | editors/qt/QORExporterPlugin.h) ;;
          *) echo "$file:$line: includes \"$path\"; an exporter may include only exporters/ and the exporter interface"
             echo failed ;;
        esac
      done | tee "${TMPDIR:-/tmp}/qor-exporters.$$" | grep -v '^failed$'
    grep -q '^failed$' "${TMPDIR:-/tmp}/qor-exporters.$$" && failed=1
    rm -f "${TMPDIR:-/tmp}/qor-exporters.$$"
  done
fi
if [ "$rules" != qt ]; then
  writes='(m_recountFlag|m_remainingCount|m_usedCount)[[:space:]]*([-+]?=[^=]|\+\+|--)|(\+\+|--)[[:alnum:]_.>-]*(m_remainingCount|m_usedCount)|m_referenceTitles\.(push_back|emplace_back|insert|erase|resize|clear)'
  for layer in reports editors shell; do
    [ -d "$layer" ] || continue
    if grep -rnE "$writes" "$layer" --include='*.cpp' --include='*.h' | grep .; then
      echo "  ^ only the document (database/) writes its item counters and reference titles"
      failed=1
    fi
  done
fi
exit $failed
