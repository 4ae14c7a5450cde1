# SPDX-License-Identifier: Apache-2.0
# shellcheck shell=bash disable=SC2154 # printer is set by the script that sources this
# Shell helpers for the printer application's fault, hostile-input and security checks:
# IPP requests with ipptool against a private app server (tests/app/private-printer-app).
# Source it after setting `printer` to the printer's ipp:// URI.

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
ok() {
    echo "ok: $*"
}

# One IPP request: OPERATION, then the request's attribute lines (ipptool syntax); the
# response with -tv. Extra ipptool options come first: ipp_request [-f FILE] OP LINES...
ipp_request() {
    local file=()
    if [ "$1" = -f ]; then
        file=(-f "$2")
        shift 2
    fi
    local op=$1
    shift
    ipptool -tv "${file[@]}" "$printer" /dev/stdin 2>&1 <<TEST || true
{ OPERATION $op GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8 ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri \$uri ATTR name requesting-user-name test
  $*
}
TEST
}

# The first value of ATTRIBUTE in a response on stdin.
attr_of() {
    sed -n "s/^ *$1 ([^)]*) = //p" | head -n 1
}
status_of() {
    sed -n 's/^ *status-code = \([^ ]*\).*/\1/p' | head -n 1
}

# Print-Job of FILE as FORMAT with job attribute lines; prints "STATUS JOB-ID".
submit() { # FILE FORMAT [JOB-ATTRIBUTE-LINES]
    local out
    out=$(ipp_request -f "$1" Print-Job "ATTR mimeMediaType document-format $2 ATTR name job-name test
  GROUP job-attributes-tag ${3:-}
  FILE \$filename")
    echo "$(status_of <<<"$out") $(attr_of job-id <<<"$out")"
}

job_attr() { # JOB-ID ATTRIBUTE
    ipp_request Get-Job-Attributes "ATTR integer job-id $1" | attr_of "$2"
}
printer_attr() { # ATTRIBUTE
    ipp_request Get-Printer-Attributes "ATTR keyword requested-attributes $1" | attr_of "$1"
}

# Waits up to SECONDS (default 120) for the job to end; prints its final state.
wait_for_job() { # JOB-ID [SECONDS]
    local state=""
    for _ in $(seq 1 $((${2:-120} * 5))); do
        state=$(job_attr "$1" job-state)
        case "$state" in completed | aborted | canceled) echo "$state"; return 0 ;; esac
        sleep 0.2
    done
    echo "timeout ($state)"
}

# Waits up to SECONDS for the job to be printing.
wait_for_processing() { # JOB-ID SECONDS
    for _ in $(seq 1 $(($2 * 5))); do
        [ "$(job_attr "$1" job-state)" = processing ] && return 0
        sleep 0.2
    done
    return 1
}

# The backend processes the server has started (its children).
backend_pids() { # SERVER-PID
    pgrep -P "$1" || true
}
backend_running() { # SERVER-PID
    [ -n "$(backend_pids "$1")" ]
}
# Gone, or a zombie waiting for its parent (the harness's, long gone) to be reaped by init.
process_gone() { # PID
    local state
    state=$(ps -o stat= -p "$1" || true)
    [ -z "$state" ] || [ "${state:0:1}" = Z ]
}

# Waits until COMMAND succeeds, trying every 0.1 s up to SECONDS; false when it never did.
wait_until() { # SECONDS COMMAND...
    local limit=$(($1 * 10))
    shift
    for _ in $(seq 1 "$limit"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
