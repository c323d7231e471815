#include "filebytes/FirstDifference.h"

#include <windows.h>

// The scan is written out in assembly so that it is certain to touch no stack and no
// register a caller keeps: at any of its instructions it can be left through
// FirstDifferenceFault, which is how a read fault in a mapped view is survived without
// structured exception handling, which MinGW's g++ lacks. Arguments (Win64): rcx = a,
// rdx = b, r8 = count; the scan never changes them, so the handler can see which ranges
// were being read. SSE2 is part of every x64 processor.
extern "C" {
size_t FirstDifferenceScan(const uint8_t* a, const uint8_t* b, size_t count);
extern const char FirstDifferenceFault[];
extern const char FirstDifferenceEnd[];
}

asm(R"(
    .text
    .p2align 4
    .globl FirstDifferenceScan
FirstDifferenceScan:
    xorl %eax, %eax
    movq %r8, %r9
    andq $-64, %r9
1:  cmpq %r9, %rax
    jae 2f
    movdqu (%rcx,%rax), %xmm0
    movdqu (%rdx,%rax), %xmm1
    pcmpeqb %xmm1, %xmm0
    movdqu 16(%rcx,%rax), %xmm1
    movdqu 16(%rdx,%rax), %xmm2
    pcmpeqb %xmm2, %xmm1
    pand %xmm1, %xmm0
    movdqu 32(%rcx,%rax), %xmm1
    movdqu 32(%rdx,%rax), %xmm2
    pcmpeqb %xmm2, %xmm1
    pand %xmm1, %xmm0
    movdqu 48(%rcx,%rax), %xmm1
    movdqu 48(%rdx,%rax), %xmm2
    pcmpeqb %xmm2, %xmm1
    pand %xmm1, %xmm0
    pmovmskb %xmm0, %r10d
    cmpl $0xFFFF, %r10d
    jne 2f
    addq $64, %rax
    jmp 1b
2:  cmpq %r8, %rax
    jae 3f
    movzbl (%rcx,%rax), %r10d
    cmpb (%rdx,%rax), %r10b
    jne 3f
    incq %rax
    jmp 2b
3:  ret
    .globl FirstDifferenceFault
FirstDifferenceFault:
    movq $-1, %rax
    ret
    .globl FirstDifferenceEnd
FirstDifferenceEnd:
    .text
)");

namespace {
bool Within(ULONG_PTR address, DWORD64 start, DWORD64 count)
{
    return address >= start && address - start < count;
}

// A read fault of the scan inside one of its two ranges leaves the scan with
// ReadFaulted; any other fault is left to whoever handles it (or ends the process).
LONG CALLBACK ScanFault(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    CONTEXT& context = *pointers->ContextRecord;
    if (record.ExceptionCode != EXCEPTION_ACCESS_VIOLATION &&
        record.ExceptionCode != EXCEPTION_IN_PAGE_ERROR)
        return EXCEPTION_CONTINUE_SEARCH;
    auto at = reinterpret_cast<const char*>(context.Rip);
    if (at < reinterpret_cast<const char*>(&FirstDifferenceScan) || at >= FirstDifferenceEnd)
        return EXCEPTION_CONTINUE_SEARCH;
    if (record.NumberParameters < 2 || record.ExceptionInformation[0] != 0)
        return EXCEPTION_CONTINUE_SEARCH;
    ULONG_PTR address = record.ExceptionInformation[1];
    if (!Within(address, context.Rcx, context.R8) && !Within(address, context.Rdx, context.R8))
        return EXCEPTION_CONTINUE_SEARCH;
    context.Rip = reinterpret_cast<DWORD64>(FirstDifferenceFault);
    return EXCEPTION_CONTINUE_EXECUTION;
}
} // namespace

size_t FirstDifference(const uint8_t* a, const uint8_t* b, size_t count)
{
    static const bool guarded = AddVectoredExceptionHandler(1, ScanFault) != nullptr;
    (void)guarded;
    return FirstDifferenceScan(a, b, count);
}
