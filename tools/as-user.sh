# Sourced by the scripts that may run through sudo: what they build and start belongs to the user who ran
# sudo; only installing packages and the print server run as root.
#
#   as_user COMMAND...   runs COMMAND as that user, with the user's HOME, keeping the rest of the environment
#   "${as_user[@]}"      the same as a command prefix, for a command that must be this shell's own child
#   user_home            prints the user's home folder

as_user=()
vornel_user_home=$HOME
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    vornel_user_home=$(getent passwd "$SUDO_USER" | cut -d: -f6)
    # sudo drops the session's runtime folder, where Qt and the display's sockets live.
    vornel_runtime=/run/user/$(id -u "$SUDO_USER")
    [ -d "$vornel_runtime" ] || vornel_runtime=${XDG_RUNTIME_DIR:-}
    as_user=(runuser -u "$SUDO_USER" -- env HOME="$vornel_user_home" USER="$SUDO_USER" LOGNAME="$SUDO_USER"
        ${vornel_runtime:+XDG_RUNTIME_DIR="$vornel_runtime"})
fi

user_home() { echo "$vornel_user_home"; }

as_user() { "${as_user[@]}" "$@"; }
