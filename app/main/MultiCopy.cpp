#include "main/MultiCopy.h"

#include "answers/Answers.h"

namespace MultiCopy {

int Counter(const kelvox::TAnswer &store, int tag)
{
    switch (tag) {
    case 4:
    case 5: return store.NoOf18_2;
    case 6: return store.NoOf18_3;
    case 7: return store.NoOf18_4;
    case 12: return store.NoOf18_9;
    default: return 0;
    }
}

void SetCounter(kelvox::TAnswer &store, int tag, int copies)
{
    switch (tag) {
    case 4: store.NoOf18_2 = copies; break;
    case 6: store.NoOf18_3 = copies; break;
    case 7: store.NoOf18_4 = copies; break;
    default: return;
    }
    for (int type : PageTypes(tag))
        store.PgCt()[type] = copies;
}

std::vector<int> PageTypes(int tag)
{
    switch (tag) {
    case 4: return {4, 5};
    case 6: return {6};
    case 7: return {7};
    default: return {};
    }
}

std::string FormName(int tag)
{
    switch (tag) {
    case 4:
    case 5: return "Form 18.2";
    case 6: return "Form 18.3";
    case 7: return "Form 18.4";
    case 12: return "Form 18.9";
    default: return {};
    }
}

void RemoveCopy(kelvox::TAnswer &store, int tag, int removed, int copies)
{
    for (int type : PageTypes(tag)) {
        const int answers = kelvox::FieldsPerPage(type);
        for (int k = removed; k <= copies - 2; ++k) {
            for (int i = 0; i <= answers; ++i) {
                store.Set(type, k, i, store.Get(type, k + 1, i));
                store.SetOvRide(type, k, i, store.OvRide(type, k + 1, i));
            }
        }
        if (copies < 1)
            continue;
        for (int i = 0; i <= answers; ++i) {
            store.Set(type, copies - 1, i, std::string());
            store.SetOvRide(type, copies - 1, i, false);
        }
    }
}

} // namespace MultiCopy
