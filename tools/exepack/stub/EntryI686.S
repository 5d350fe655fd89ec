# The entry point of a packed 32-bit program. The word at offset 4 is the table's offset, which
# the packer writes; the code finds itself with a call, as it is copied to wherever the packer
# puts it. A program that cannot be unpacked ends with exit code 1 (its thread returns).
        .intel_syntax noprefix
        .text
        .globl  _kmEntry
_kmEntry:
        jmp     1f
        .byte   0x90, 0x90
        .long   0x4C42544B
1:      pushad
        call    2f
2:      pop     eax
        sub     eax, offset 2b - _kmEntry
        push    eax
        call    _kmUnpackAndStart
        add     esp, 4
        test    eax, eax
        jz      3f
        mov     [esp + 28], eax         # the saved eax: popad hands the start over in it
        popad
        jmp     eax
3:      popad
        mov     eax, 1
        ret
