#include "SampleCase.h"

#include "answers/Answers.h"

#include <map>
#include <string>

void FillSampleCase(kelvox::TAnswer &a)
{
    const std::map<int, std::string> g = {
        {0, "Muskingum"},
        {1, "Emma Rose Whitfield"},
        {2, "Hon. Katherine M. Dellinger"},
        {3, "Emma Rose Holloway"},
        {4, "2026 AD 00417"},
        {5, "Margaret Ann Holloway"},
        {6, "38"},
        {7, "Daniel Lee Holloway"},
        {8, "41"},
        {9, "1427 Maple Grove Road"},
        {10, "Zanesville"},
        {11, "Muskingum"},
        {12, "OH"},
        {13, "43701"},
        {14, "(740) 555-0142"},
        {15, "Married"},
        {16, "06/14/2009"},
        {17, "Zanesville, Ohio"},
        {18, "Emma Rose Whitfield"},
        {19, "Emma Rose Holloway"},
        {20, "1427 Maple Grove Road"},
        {21, "Zanesville, OH 43701"},
        {22, "Muskingum"},
        {23, "Emma Rose Holloway"},
        {24, "09/30/2026"},
        {26, "03/02/2019"},
        {27, "Genesis Hospital, Zanesville, Muskingum County, Ohio"},
        {28, "Jonathan P. Ravensworth"},
        {29, "88 North Fifth Street, Suite 300"},
        {30, "Zanesville"},
        {31, "OH"},
        {32, "43701"},
        {33, "(740) 555-0199"},
        {34, "0071234"},
        {35, "Kayla Marie Whitfield"},
        {36, "Mother"},
        {37, "11/22/1998"},
        {38, "312 Linden Avenue"},
        {39, "Cambridge"},
        {40, "OH"},
        {41, "43725"},
        {42, "X"},
        {47, "Travis James Odell"},
        {48, "Father"},
        {49, "04/05/1996"},
        {50, "Unknown"},
        {51, "Columbus"},
        {52, "OH"},
        {53, "43215"},
        {55, "X"},
        {56, "Failed without justifiable cause to provide more than de minimis contact with the minor"},
        {57, "One year immediately preceding the filing of the petition"},
        {58, "No visits, calls or letters since January 2025"},
        {59, "14 years"}};
    for (const auto &[i, text] : g)
        a.Set(0, 0, i, text);
    a.NoOf18_2 = a.NoOf18_3 = a.NoOf18_4 = 1;
    for (int t : {4, 5, 6, 7})
        a.PgCt()[t] = 1;
    a.Set(2, 0, 1, "X");
    a.Set(2, 0, 2, "Kayla Marie Whitfield");
    a.Set(2, 0, 3, "Mother");
    a.Set(2, 0, 41, "On 04/01/2025 the minor was placed in the petitioners' home");
    a.Set(2, 0, 42, "Placed by Muskingum County Children Services");
    a.Set(3, 0, 4, "10/20/2026");
    a.Set(3, 0, 5, "9:00 a.m.");
    a.Set(3, 0, 6, "Courtroom 2, 401 Main Street, Zanesville, Ohio");
    a.Set(3, 0, 10, "Kayla Marie Whitfield and Travis James Odell");
    a.Set(3, 0, 11, "Certified mail, return receipt requested");
    a.Set(23, 0, 10, "1427 Maple Grove Road");
    a.Set(23, 0, 4, "09/15/2026");
    a.Set(23, 0, 5, "Muskingum");
    a.Set(22, 0, 2, "F");
    a.Set(20, 0, 6, "X");
    a.Set(26, 0, 1, "X");
    a.Set(26, 0, 4, "X");
    a.Set(27, 0, 12, "X");
    a.Set(12, 0, 84, "X");
}
