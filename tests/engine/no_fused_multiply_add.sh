#!/bin/sh
# Fails when an object file or program holds a fused multiply-add instruction: x86's vfmadd,
# vfmsub, vfnmadd and their kin, ARM's fmadd, fmsub, fnmadd, fnmsub, fmla and fmls, or
# WebAssembly's relaxed multiply-adds.
#
#     no_fused_multiply_add.sh OBJDUMP FILE
set -eu
tab=$(printf '\t')
fused=$("$1" -d --no-show-raw-insn "$2" |
    grep -E "${tab}(v?fn?m(add|sub)[0-9a-z]*|fml[as]|f(32x4|64x2)\.relaxed_n?(madd|fma))( |${tab}|\$)" || true)
if [ -n "$fused" ]; then
    echo "fused multiply-adds in $2:" >&2
    echo "$fused" | head -n 10 >&2
    exit 1
fi
echo "no fused multiply-add in $2"
