# Fresh wine prefixes made from the template of scripts/wine-prefix, none sharing writable state with another.
# Sourced by scripts/wine-run and tests/e2e/lib.sh:
#   in_private_mounts "$0" "$@"   first thing in a script: runs it again in a mount namespace of its own, when the
#                                 system allows one
#   new_wine_prefix TEMPLATE [FOLDER]
#                                 sets and exports WINEPREFIX to a fresh prefix in a new folder within FOLDER
#                                 (default: $TMPDIR or /tmp)
#   drop_wine_prefix              ends the prefix's wine processes and removes it
#
# The template is about 700 MB, nearly all of it wine's own modules copied into system32, and copying it takes seconds.
# In a mount namespace of its own a prefix is an overlay on the template instead: one mount, the template stays as it
# is, and whatever wine writes lands in the prefix's own upper layer. Where no namespace can be had (an unprivileged
# container) the prefix is a copy, copy-on-write where the file system can.

in_private_mounts() {
    if [ -z "${VISTREL_PRIVATE_MOUNTS:-}" ] && unshare --mount true 2>/dev/null; then
        VISTREL_PRIVATE_MOUNTS=1 exec unshare --mount "$@"
    fi
}

new_wine_prefix() {
    local template=$1 scratch
    scratch=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/vistrel-wine.XXXXXX") || return 1
    WINEPREFIX=$scratch/prefix
    mkdir "$WINEPREFIX" "$scratch/upper" "$scratch/work"
    if [ -z "${VISTREL_PRIVATE_MOUNTS:-}" ] ||
        ! mount -t overlay overlay -o "lowerdir=$template,upperdir=$scratch/upper,workdir=$scratch/work" \
            "$WINEPREFIX" 2>/dev/null; then
        cp -a --reflink=auto "$template/." "$WINEPREFIX/"
    fi
    export WINEPREFIX
}

drop_wine_prefix() {
    wineserver -k >/dev/null 2>&1
    wineserver -w >/dev/null 2>&1
    if mountpoint -q "$WINEPREFIX"; then
        umount --lazy "$WINEPREFIX"
    fi
    rm -rf "$(dirname "$WINEPREFIX")"
}
