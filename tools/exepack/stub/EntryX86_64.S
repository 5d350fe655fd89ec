# The entry point of a packed 64-bit program. The word at offset 4 is the table's offset, which
# the packer writes. A program that cannot be unpacked ends with exit code 1 (its thread returns).
        .intel_syntax noprefix
        .text
        .globl  kmEntry
kmEntry:
        jmp     1f
        .byte   0x90, 0x90
        .long   0x4C42544B
1:      push    rcx
        push    rdx
        push    r8
        push    r9
        sub     rsp, 40                 # shadow space, and the stack aligned for the call
        lea     rcx, [rip + kmEntry]
        call    kmUnpackAndStart
        add     rsp, 40
        pop     r9
        pop     r8
        pop     rdx
        pop     rcx
        test    rax, rax
        jz      2f
        jmp     rax
2:      mov     eax, 1
        ret
