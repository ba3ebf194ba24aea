#!/usr/bin/env bash
# The compared-fields check must see a member left out of fields(), in the
# root record and in one it holds, and a record compared without a list;
# and pass the same records once they are whole.
set -euo pipefail
check="$1"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

# records INNER_LIST BARE_LIST_LINE ROOT_LIST: builds a program holding them
records() {
    cat >"$tree/records.h" <<EOT
#include <tuple>
struct Inner {
    double a = 0.0;
    int b = 0;
    auto fields() const { return std::tie($1); }
};
struct Bare {
    int n = 0;
    $2
};
struct Root {
    int count = 0;
    Inner inner[2];
    Bare bare;
    char small = 0;
    auto fields() const { return std::tie($3); }
};
EOT
    printf '#include "records.h"\nRoot root;\nint main() { return root.count; }\n' >"$tree/main.cpp"
    g++ -g -O0 -I"$tree" "$tree/main.cpp" -o "$tree/program"
}

fails=0
records "a" "" "count, inner, bare"
status=0
out=$(python3 "$check" "$tree/program" "$tree" Root) || status=$?
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, want 1"; fails=1; }
for want in 'Inner::b is left out of fields()' 'Root::small is left out of fields()' \
            'Bare: compared, but names no fields()'; do
    grep -qF "$want" <<<"$out" || { echo "FAIL: not reported: $want"; fails=1; }
done

records "a, b" "auto fields() const { return std::tie(n); }" "count, inner, bare, small"
if ! out=$(python3 "$check" "$tree/program" "$tree" Root); then
    echo "FAIL: whole records were refused:"; echo "$out"; fails=1
fi
[ "$fails" -eq 0 ] && echo "ok"
exit "$fails"
