#!/usr/bin/env bash
# The bash completions offer exactly the commands and options the programs' own --help lists,
# the values --table and --format take, and file names with spaces and Chinese in them.
#
#     completion_test.sh VELDOR_SCE COMPLETIONS_DIR
set -uo pipefail
sce=$1
completions=$2
failures=0
checks=0

# shellcheck source=/dev/null
source "$completions/veldor-sce"
# shellcheck source=/dev/null
source "$completions/veldor-editor"

complete_line() { # WORDS...: what completing the last word offers, one per line, sorted
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    case $1 in
        veldor-sce) _veldor_sce ;;
        veldor-editor) _veldor_editor ;;
    esac
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

expect() { # WHAT EXPECTED ACTUAL
    checks=$((checks + 1))
    if [ "$2" != "$3" ]; then
        failures=$((failures + 1))
        printf 'FAIL %s\n  expected: %s\n  offered:  %s\n' "$1" "$(echo $2)" "$(echo $3)"
    fi
}

words() { tr ' ' '\n' | grep . | sort; }

commands=$("$sce" --help | awk '/^  [a-z]+  / {print $1}' | sort)
expect "commands" "$(printf '%s\n--help\n--version\n' "$commands" | sort)" \
    "$(complete_line veldor-sce '')"
expect "a command's prefix" "export" "$(complete_line veldor-sce exp)"

for command in $commands; do
    # "  -o, --output <OUT>  ..." gives -o and --output.
    listed=$("$sce" "$command" --help | sed -n '/^Options:/,/^$/p' |
        grep -o -- '^  -[^ ]*\(, --[^ ]*\)\?' | tr -d ',' | words)
    expect "options of $command" "$listed" "$(complete_line veldor-sce "$command" -)"
done

expect "--table" "$(echo cities forces items persons places | words)" \
    "$(complete_line veldor-sce dump --table '')"
expect "--format of export" "$(echo csv json | words)" \
    "$(complete_line veldor-sce export --format '')"
expect "--format of check" "$(echo json text | words)" \
    "$(complete_line veldor-sce check --format '')"

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
touch "$folder/剧本 一.kqx" "$folder/人物.csv" "$folder/README"
cd "$folder" || exit 1
expect "files" "$(printf '人物.csv\nREADME\n剧本 一.kqx\n' | sort)" \
    "$(complete_line veldor-sce import 'x.kqx' '')"
expect "a file with a space" "剧本 一.kqx" "$(complete_line veldor-sce info '剧')"
expect "editor: scenarios first" "剧本 一.kqx" "$(complete_line veldor-editor '')"
expect "editor: any file when no scenario matches" "README" "$(complete_line veldor-editor R)"
expect "editor: options" "$(echo -h --help -v --version | words)" \
    "$(complete_line veldor-editor -)"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
