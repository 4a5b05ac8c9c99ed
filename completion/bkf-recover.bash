# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for bkf-recover

# How many operands (not options, not option values) come before the word completed.
_bkf_recover_operands()
{
    local operands=0 i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            list | extract | mount | -*) ;;
            *) [[ ${words[i-1]} == --@(prefix|include|exclude) ]] || operands=$((operands + 1)) ;;
        esac
    done
    echo "$operands"
}

_bkf_recover()
{
    local cur prev words cword
    _init_completion -s || return

    local command="" word
    for word in "${words[@]:1:cword-1}"; do
        case $word in
            list | extract | mount) command=$word; break ;;
        esac
    done

    case $prev in
        --prefix | --include | --exclude) return ;;
    esac
    [[ $cur == --*=* ]] && return

    local common="--quiet --progress --no-progress --debug --deep --rescan --no-cache --help"
    case $command in
        "")
            COMPREPLY=($(compgen -W 'list extract mount --help --version' -- "$cur"))
            ;;
        list)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--json --verbose $common" -- "$cur"))
            else
                _filedir '@(bkf|BKF)'
            fi
            ;;
        mount)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--verbose $common" -- "$cur"))
            elif (($(_bkf_recover_operands) == 0)); then
                _filedir '@(bkf|BKF)'
            else
                _filedir -d
            fi
            ;;
        extract)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--prefix= --include= --exclude= --case-sensitive --verbose --times --no-times --continue $common" -- "$cur"))
                [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
                return
            fi
            # BACKUP first, then DEST (a folder), then patterns.
            local operands
            operands=$(_bkf_recover_operands)
            if ((operands == 0)); then
                _filedir '@(bkf|BKF)'
            elif ((operands == 1)); then
                _filedir -d
            fi
            ;;
    esac
} &&
    complete -F _bkf_recover bkf-recover
