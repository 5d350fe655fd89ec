/* The start of a packed program, in C: unpacks the image, then gives the program the thread-local
 * storage callbacks the loader could not call while the code was still packed. Returns where the
 * program starts, or 0 (and says why, when it can) to end the process. */
#include "tools/exepack/stub/UnpackImage.h"

#include <stddef.h>

typedef void(__stdcall* KmTlsCallback)(void* module, uint32_t reason, void* reserved);
typedef int(__stdcall* KmMessageBoxA)(void* owner, const char* text, const char* caption, uint32_t type);

enum { kProcessAttach = 1, kIconStop = 0x10 };

static uint32_t wordAt(const uint8_t* at)
{
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

static void sayDamaged(uint8_t* base, const uint8_t* stubStart, const struct KmUnpackTable* table)
{
    KmMessageBoxA messageBox;
    if (table->messageBoxSlotRva == 0)
        return;
    messageBox = *(KmMessageBoxA*)(base + table->messageBoxSlotRva);
    messageBox(NULL, (const char*)stubStart + table->messageOffset,
               (const char*)stubStart + table->captionOffset, kIconStop);
}

static void startThreadStorage(uint8_t* base, const uint8_t* stubStart, const struct KmUnpackTable* table)
{
    uintptr_t* list = (uintptr_t*)(base + table->tlsCallbackListRva);
    const uint8_t* rvas = stubStart + table->tlsCallbacksOffset;
    uint32_t i;
    /* Listed first, so that threads the callbacks start already see them all. */
    for (i = 0; i < table->tlsCallbackCount; ++i)
        list[i] = (uintptr_t)(base + wordAt(rvas + 4 * i));
    for (i = 0; i < table->tlsCallbackCount; ++i)
        ((KmTlsCallback)list[i])(base, kProcessAttach, NULL);
}

void* kmUnpackAndStart(uint8_t* stubStart)
{
    const struct KmUnpackTable* table = kmUnpackTableOf(stubStart);
    uint8_t* base;
    if (table == NULL)
        return NULL;
    base = stubStart - table->stubRva;
    if (kmUnpackImage(base, table) != 0) {
        /* A damaged table's text and import slot are not to be believed either. */
        if (kmUnpackTableChecksum(stubStart, table) == table->checksum)
            sayDamaged(base, stubStart, table);
        return NULL;
    }
    if (table->tlsCallbackCount != 0)
        startThreadStorage(base, stubStart, table);
    return base + table->entryRva;
}
