# bash completion for zurizede-cli: its options, the mode's values and paths.

_zurizede_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    # After "--" every word is a path.
    local i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == -- ]]; then
            _filedir
            return
        fi
    done

    case $prev in
        -m | --mode)
            COMPREPLY=($(compgen -W '0 1 2' -- "$cur"))
            return
            ;;
        --free-space)
            _filedir -d
            return
            ;;
        --report)
            _filedir '@(pdf|json)'
            return
            ;;
        --operator)
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-m --mode= -y --yes --confirm --log --verify -q --quiet
            -h --help --version --free-space= --trash --report= --operator= --' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    _filedir
} &&
    complete -F _zurizede_cli zurizede-cli
