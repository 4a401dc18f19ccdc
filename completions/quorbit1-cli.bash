# bash completion for quorbit1-cli
_quorbit1_cli() {
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}
    if [[ $prev == --set ]]; then
        compopt -o nospace 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -W 'X= Y= Z= T=' -- "$cur")
        return
    fi
    if [[ $cur == --set=* ]]; then
        compopt -o nospace 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -P '--set=' -W 'X= Y= Z= T=' -- "${cur#--set=}")
        return
    fi
    # Everything after a lone -- is an expression.
    local i
    for ((i = 1; i < COMP_CWORD; i++)); do
        [[ ${COMP_WORDS[i]} == -- ]] && return
    done
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W '--radians --degrees --set --trace --json --explain
            --line-buffered --no-history --version --help -r -d -h' -- "$cur")
    fi
}
complete -F _quorbit1_cli quorbit1-cli
