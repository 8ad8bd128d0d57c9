# Sourced by the fixture scripts: stop_by_argument OPTION VALUE stops every process of this user whose command
# line has OPTION followed by exactly VALUE (a simulator or bridge serving this checkout's folder).
stop_by_argument() {
  local option="$1" value="$2" proc
  for proc in /proc/[0-9]*; do
    [ "${proc#/proc/}" = "$$" ] && continue
    tr '\0' '\n' <"$proc/cmdline" 2>/dev/null |
      awk -v a="$option" -v b="$value" 'previous == a && $0 == b { found = 1 } { previous = $0 } END { exit !found }' &&
      kill "${proc#/proc/}" 2>/dev/null
  done
  return 0
}
