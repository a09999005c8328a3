#pragma once

namespace kelvox {

class TAnswer;

// The rules of each page type, one entry routine per unit. The per-copy units
// take the copy they write; every other unit writes copy 0.
void Calc0(const TAnswer &answers);
void Calc1(TAnswer &answers);
void Calc2(TAnswer &answers);
void Calc23(TAnswer &answers);
void Calc3(TAnswer &answers);
void Calc4(TAnswer &answers, int copy);
void Calc5(TAnswer &answers, int copy);
void Calc6(TAnswer &answers, int copy);
void Calc7(TAnswer &answers, int copy);
void Calc8(TAnswer &answers);
void Calc9(TAnswer &answers);
void Calc10(TAnswer &answers);
void Calc11(TAnswer &answers);
void Calc13(TAnswer &answers);
void Calc15(TAnswer &answers);
void Calc16(TAnswer &answers);
void Calc17(TAnswer &answers);
void Calc25(TAnswer &answers);
void Calc26(TAnswer &answers);
void Calc27(TAnswer &answers);
void Calc20(TAnswer &answers);
void Calc21(TAnswer &answers);
void Calc22(TAnswer &answers);

} // namespace kelvox
