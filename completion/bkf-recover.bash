# SPDX-License-Identifier: GPL-3.0-or-later
# bash completion for bkf-recover

_bkf_recover()
{
    local cur prev words cword
    _init_completion -s || return

    local command="" word
    for word in "${words[@]:1:cword-1}"; do
        case $word in
            list | extract) command=$word; break ;;
        esac
    done

    case $prev in
        --prefix | --include | --exclude) return ;;
    esac
    [[ $cur == --*=* ]] && return

    local common="--quiet --progress --no-progress --debug --deep --help"
    case $command in
        "")
            COMPREPLY=($(compgen -W 'list extract --help --version' -- "$cur"))
            ;;
        list)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--json --verbose $common" -- "$cur"))
            else
                _filedir '@(bkf|BKF)'
            fi
            ;;
        extract)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--prefix= --include= --exclude= --case-sensitive --verbose --times --no-times $common" -- "$cur"))
                [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
                return
            fi
            # BACKUP first, then DEST (a folder), then patterns.
            local operands=0 i
            for ((i = 1; i < cword; i++)); do
                case ${words[i]} in
                    list | extract | -*) ;;
                    *) [[ ${words[i-1]} == --@(prefix|include|exclude) ]] || operands=$((operands + 1)) ;;
                esac
            done
            if ((operands == 0)); then
                _filedir '@(bkf|BKF)'
            elif ((operands == 1)); then
                _filedir -d
            fi
            ;;
    esac
} &&
    complete -F _bkf_recover bkf-recover
