#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Pintabel developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the printing tests: a CUPS server of our own, with its configuration, spool
# and socket in a temporary folder; the system's /etc/cups is never touched.
#   start_private_cupsd DIR   starts it (returns 1, with $cupsd_failure set, when it cannot)
#   stop_private_cupsd        stops it; call it from the EXIT trap, so every way out does
#   add_pdf_queue NAME        adds a cups-pdf queue NAME and makes it the default
# The clients (lpadmin, the program) reach it through CUPS_SERVER, a socket inside DIR.

# cupsd_failure is read by the scripts that source this file.
# shellcheck disable=SC2034
cupsd_failure=""
cupsd_pid=""

stop_private_cupsd() {
    if [ -n "$cupsd_pid" ] && kill -0 "$cupsd_pid" 2>/dev/null; then
        kill "$cupsd_pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$cupsd_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$cupsd_pid" 2>/dev/null || true
    fi
    cupsd_pid=""
}

start_private_cupsd() {
    local dir=$1
    cupsd_failure=""
    local cupsd
    cupsd=$(command -v cupsd || echo /usr/sbin/cupsd)
    if [ ! -x "$cupsd" ]; then
        cupsd_failure="cupsd is not installed"
        return 1
    fi
    if [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
        cupsd_failure="the cups-pdf backend is not installed"
        return 1
    fi
    mkdir -p "$dir"/{conf/ppd,conf/ssl,spool/tmp,cache,state/certs,log}
    chmod 755 "$dir" "$dir"/conf "$dir"/conf/ppd
    chmod 710 "$dir"/spool
    chmod 1777 "$dir"/spool/tmp
    local group=lp
    getent group lp >/dev/null || group=root
    local user=lp
    getent passwd lp >/dev/null || user=root
    cat >"$dir/conf/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User $user
Group $group
SystemGroup root
Sandboxing relaxed
CONF
    chmod 644 "$dir"/conf/*.conf
    # Should the caller be killed before it can stop the server (a test runner's time-out),
    # the server ends by itself all the same, before the runner's 180 s are up.
    timeout -k 5 170 "$cupsd" -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        >"$dir/log/cupsd.out" 2>&1 &
    cupsd_pid=$!
    export CUPS_SERVER="$dir/cups.sock"
    for _ in $(seq 100); do
        if ! kill -0 "$cupsd_pid" 2>/dev/null; then
            cupsd_failure="cupsd did not start: $(cat "$dir"/log/cupsd.out "$dir"/log/error_log 2>/dev/null | tail -n 5)"
            cupsd_pid=""
            return 1
        fi
        if lpstat -r 2>/dev/null | grep -q 'is running'; then
            return 0
        fi
        sleep 0.1
    done
    cupsd_failure="cupsd did not answer on $CUPS_SERVER within 10 s"
    stop_private_cupsd
    return 1
}

add_pdf_queue() {
    lpadmin -p "$1" -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd &&
        lpadmin -d "$1"
}
