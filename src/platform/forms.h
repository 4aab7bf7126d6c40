// The launcher's two windows and the numbers of their controls. The numbers are
// the controls' dialog ids on screen, so tests find a control by the same name.
#pragma once

enum class Form { Form1, Form2 };

struct Control {
    Form form;
    int id;
};

constexpr bool operator==(Control a, Control b) { return a.form == b.form && a.id == b.id; }

namespace Form1 {
inline constexpr Control Frame1{Form::Form1, 401};
inline constexpr Control Frame2{Form::Form1, 402};
inline constexpr Control Frame3{Form::Form1, 403};
inline constexpr Control Label1{Form::Form1, 301};
inline constexpr Control Label2{Form::Form1, 302};
inline constexpr Control Label3{Form::Form1, 303};
inline constexpr Control Label4{Form::Form1, 304};
inline constexpr Control Text1{Form::Form1, 101};
inline constexpr Control Text2{Form::Form1, 102};
inline constexpr Control Text3{Form::Form1, 103};
inline constexpr Control Text4{Form::Form1, 104};
inline constexpr Control Command1{Form::Form1, 201};
inline constexpr Control Command2{Form::Form1, 202};
inline constexpr Control Command3{Form::Form1, 203};
inline constexpr Control Command4{Form::Form1, 204};
inline constexpr Control Command5{Form::Form1, 205};
inline constexpr Control CommonDialog1{Form::Form1, 501};
inline constexpr Control CommonDialog2{Form::Form1, 502};
inline constexpr Control CommonDialog3{Form::Form1, 503};
}  // namespace Form1

namespace Form2 {
inline constexpr Control Text1{Form::Form2, 101};
inline constexpr Control Command1{Form::Form2, 201};
inline constexpr Control Command2{Form::Form2, 202};
inline constexpr Control Command3{Form::Form2, 203};
inline constexpr Control dlgEXE{Form::Form2, 501};
}  // namespace Form2
