#pragma once

// The account listing and worksheet print-out walked exactly as described:
// every count and every page wraps every expense text again, and every page
// walks the listing from its first line. Kept to check the program's own
// listing against, not for use. Beyond 24 pages it keeps the program's limit.

#include "LiteralFit.h"
#include "answers/Answers.h"
#include "answers/WSchedList.h"
#include "messages/Messages.h"
#include "misc/Misc.h"

namespace kelvox::literal {

class Listing final {
public:
    Listing(TAnswer &answers, const WSchedList &rows, const TextMeasurer &measurer)
        : Answ(answers), Rows(rows), Measurer(measurer)
    {
    }

    void CalcTtls()
    {
        Answ.NoOf18_9 = AccountPages();
        Answ.NoOfWorksheet = WorksheetPages();
    }

    void Calc12(int p)
    {
        if (p > 24) {
            ErrorMessage(29120);
            return;
        }
        auto T = [&](int n, const std::string &v) { Answ.Set(12, p, n, v); };
        T(0, Caps(Answ.Get(0, 0, 0)));
        T(1, Caps(Answ.Get(0, 0, 1)));
        T(2, Caps(Answ.Get(0, 0, 3)));
        T(3, Caps(Answ.Get(0, 0, 4)));
        if (p > 0) {
            T(4, std::to_string(p + 1));
            T(5, std::to_string(Answ.NoOf18_9));
        }
        int first, last;
        if (p == 0) {
            first = 0;
            last = 18;
            for (int i = 6; i <= 83; ++i)
                T(i, "");
        } else {
            first = 30 * p - 11;
            last = first + 29;
            for (int i = 6; i <= 125; ++i)
                T(i, "");
        }
        if (L < last)
            last = L;
        int g = 0, s = 0;
        if (p == 0) {
            T(4 * s + 7, kHeadings[0]);
            s = 1;
        }
        g = 1;
        for (int c = 0; c < 11; ++c) {
            if (c > 0) {
                for (const std::string &line : {std::string(), std::string(kHeadings[c])}) {
                    if (first + s > last)
                        return Complete(p);
                    if (g >= first) {
                        T(4 * s + 7, line);
                        s = s + 1;
                    }
                    g = g + 1;
                }
            }
            for (int r = 0; r < Rows.RowCount(); ++r) {
                const auto &row = Rows.Rows[static_cast<std::size_t>(r)];
                if (!(row[1] == kTexts[c] || (c == 6 && row[1] == "Maintenance/R.C. 5103.15")))
                    continue;
                const TStringArray lines = literal::WrapTextToWidth(row[0], "Segoe UI", 10, 2.97, Measurer);
                const int n = static_cast<int>(lines.size());
                if (g + n < first) {
                    g = g + n;
                    continue;
                }
                for (int j = 0; j < n; ++j) {
                    if (g >= first) {
                        if (first + s > last)
                            return Complete(p);
                        T(4 * s + 7, lines[static_cast<std::size_t>(j)]);
                        if (j == 0) {
                            T(4 * s + 6, row[2]);
                            T(row[4] == "X" ? 4 * s + 9 : 4 * s + 8, row[3]);
                        }
                        s = s + 1;
                    }
                    g = g + 1;
                }
            }
        }
        Complete(p);
    }

    void Calc24(int p)
    {
        for (int i = 0; i <= 239; ++i)
            Answ.Set(24, p, i, "");
        const int first = 60 * p;
        int last = 60 * p + 59;
        if (W < last)
            last = W;
        int g = 0, s = 0;
        for (int r = 0; r < Rows.RowCount(); ++r) {
            const auto &row = Rows.Rows[static_cast<std::size_t>(r)];
            const TStringArray lines = literal::WrapTextToWidth(row[0], "Segoe UI", 8, 3.48, Measurer);
            const int n = static_cast<int>(lines.size());
            if (g + n < first) {
                g = g + n;
                continue;
            }
            for (int j = 0; j < n; ++j) {
                if (g >= first) {
                    if (first + s > last)
                        return;
                    Answ.Set(24, p, 4 * s + 1, lines[static_cast<std::size_t>(j)]);
                    if (j == 0) {
                        Answ.Set(24, p, 4 * s, row[2]);
                        Answ.Set(24, p, 4 * s + 2, row[1]);
                        Answ.Set(24, p, 4 * s + 3, row[3]);
                    }
                    s = s + 1;
                }
                g = g + 1;
            }
        }
    }

    void Pass()
    {
        CalcTtls();
        for (int p = 0, n = Answ.NoOf18_9; p < n; ++p)
            Calc12(p);
        for (int p = 0, n = Answ.NoOfWorksheet; p < n; ++p)
            Calc24(p);
    }

    int L = 0, W = 0;
    double D = 0, A = 0;

private:
    static constexpr const char *kHeadings[11] = {"PHYSICIAN(S) *****",
                                                  "HOSPITAL/MEDICAL FACILITY *****",
                                                  "ATTORNEY FEES *****",
                                                  "ACTUAL COSTS TO ATTORNEY *****",
                                                  "AGENCY *****",
                                                  "ACTUAL COSTS TO AGENCY *****",
                                                  "MAINTENANCE/5103.15 MED CARE*",
                                                  "FOSTER CARE *****",
                                                  "GUARDIAN AD LITEM *****",
                                                  "COURT COSTS *****",
                                                  "ALL OTHER DISBURSEMENTS *****"};
    static constexpr const char *kTexts[11] = {
        "Physician",          "Hospital/Medical Facility", "Attorney Fees", "Attorney's Costs",  "Agency Fees",
        "Agency's Costs",     "Maintenance/RC 5103.15",    "Foster Care",   "Guardian Ad Litem", "Court Costs",
        "Other Disbursements"};

    // Accented letters are upper-cased too, as the program does.
    static std::string Caps(std::string x) { return UpperCaseLatin(x); }

    void Complete(int p)
    {
        if (p == 0) {
            Answ.Set(12, 0, 82, Float2Dollar(D));
            Answ.Set(12, 0, 83, Float2Dollar(A));
        }
    }

    int AccountPages()
    {
        L = 21;
        D = 0;
        A = 0;
        for (const auto &row : Rows.Rows) {
            L += static_cast<int>(literal::WrapTextToWidth(row[0], "Segoe UI", 10, 2.97, Measurer).size());
            const double v = Str2Float_2(row[3]);
            if (row[4] == "X")
                A += v;
            else
                D += v;
        }
        int N;
        if (L < 20)
            N = 1;
        else
            N = (L - 19) / 30 + 1 + ((L - 19) % 30 != 0 ? 1 : 0);
        if (N >= 25) {
            ErrorMessage(12100);
            N = 24;
        }
        Grow(12, N);
        return N;
    }

    int WorksheetPages()
    {
        W = 0;
        for (const auto &row : Rows.Rows)
            W += static_cast<int>(literal::WrapTextToWidth(row[0], "Segoe UI", 8, 2.75, Measurer).size());
        int M;
        if (W < 60)
            M = 1;
        else
            M = W / 60 + (W % 60 != 0 ? 1 : 0);
        if (M >= 25) {
            ErrorMessage(12110);
            M = 24;
        }
        Grow(24, M);
        return M;
    }

    void Grow(int type, int pages)
    {
        int &pgCt = Answ.PgCt()[static_cast<std::size_t>(type)];
        if (pgCt < pages - 1) {
            for (int copy = pgCt + 1; copy <= pages - 1; ++copy)
                Answ.CreateAPage(type, copy);
            pgCt = pages - 1;
        }
    }

    TAnswer &Answ;
    const WSchedList &Rows;
    const TextMeasurer &Measurer;
};

} // namespace kelvox::literal
