{ Prints tables of formatting and conversion cases (input -> output of an independent runtime
  library) as tab-separated lines. Run through gen.sh; the C++ tests read the tables. }
program oracle;
{$mode objfpc}{$H+}
uses SysUtils;

var
  Dot, Comma: TFormatSettings;
  Out_: Text;

procedure OpenTable(const Name: string);
begin
  Assign(Out_, ParamStr(1) + '/' + Name);
  Rewrite(Out_);
end;

function ParseValue(const S: string): Double;
var
  code: Integer;
  e: Extended;
begin
  Val(S, e, code);
  if code <> 0 then begin WriteLn(StdErr, 'bad literal ', S); Halt(1); end;
  Result := e;
end;

function Settings(const Sep: string): TFormatSettings;
begin
  if Sep = ',' then Result := Comma else Result := Dot;
end;

{ ---- FormatFloat ---- }
const
  Pictures: array[0..39] of string = (
    '##0.0#', '##0', '0e-0', '#,##0.###', '##0.## %', '0.00', '0.0;-0.0;zero', '0.00;(0.00)',
    '#.##', '0', '0.000E+00', '0.###E-0', '#,##0', '00.00', '''x''0.0"y"', '', '#', '0.0;;Z',
    '0.0;', ';neg', '#,##0.00', '0.0#E+000', '###', '0%', '1E+1', '0.#####', '000', '#,#0.0',
    '#,##0.00;(#,##0.00);"zero"', '0.0E+00', '"$"#,##0.00', '00.00E-00', '#.#E+0', '''a;b''0', '0;-0;',
    '#0.0 "'#$C2#$B0'"', '0.0,0', '000.###', '0 0', '0.0e+0 x');
  Values: array[0..27] of string = (
    '0', '-0', '0.5', '1.5', '2.5', '-2.5', '0.125', '2.675', '1234.5678', '-1234.5678', '1e-5',
    '123456789.123', '0.001', '-0.001', '1e20', '1e-20', '99.995', '0.05', '-0.04', '12.3',
    '1000000', '-0.5', '9.9999', '0.045', '1.005', '7', '-7', '123.456');

procedure GenFormatFloat;
var
  p, v: Integer;
  sep: string;
begin
  OpenTable('formatfloat.tsv');
  for sep in [',', '.'] do
    for p := Low(Pictures) to High(Pictures) do
      for v := Low(Values) to High(Values) do
        WriteLn(Out_, sep, #9, Pictures[p], #9, Values[v], #9,
          FormatFloat(Pictures[p], ParseValue(Values[v]), Settings(sep)));
  Close(Out_);
end;

{ ---- FloatToStr / FloatToStrF ---- }
const
  FValues: array[0..33] of string = (
    '0', '1', '-1', '0.1', '0.30000000000000004', '1e15', '1e16', '123456789012345678', '1e-5',
    '0.0001', '0.3333333333333333', '0.6666666666666666', '1.7976931348623157e308', '5e-324',
    '2.5', '-2.5', '1234.5678', '1234567.891', '-0.000123456', '1e100', '99999.99999', '0.5',
    '1.005', '2.675', '12345678901234567890', '3.14159265358979', '1e-100', '100', '-1e21', '0.045', '1e-6', '1.5e-5', '1e-7', '0.000012345');
  FFormats: array[0..4] of TFloatFormat = (ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency);
  FNames: array[0..4] of string = ('ffGeneral', 'ffExponent', 'ffFixed', 'ffNumber', 'ffCurrency');
  Precs: array[0..4] of Integer = (15, 7, 4, 2, 1);
  Digs: array[0..3] of Integer = (0, 2, 3, 4);

procedure GenFloatToStr;
var
  v, f, p, d: Integer;
  sep: string;
begin
  OpenTable('floattostr.tsv');
  for sep in [',', '.'] do
    for v := Low(FValues) to High(FValues) do begin
      WriteLn(Out_, sep, #9, 'FloatToStr', #9, 0, #9, 0, #9, FValues[v], #9,
        FloatToStr(ParseValue(FValues[v]), Settings(sep)));
      for f := Low(FFormats) to High(FFormats) do
        for p := Low(Precs) to High(Precs) do
          for d := Low(Digs) to High(Digs) do
            { The oracle prints huge values in fixed formats as a two-digit exponent form: no reference. }
            if (FFormats[f] in [ffFixed, ffNumber, ffCurrency]) and (Abs(ParseValue(FValues[v])) > 1e300) then
              Continue
            else
            WriteLn(Out_, sep, #9, FNames[f], #9, Precs[p], #9, Digs[d], #9, FValues[v], #9,
              FloatToStrF(ParseValue(FValues[v]), FFormats[f], Precs[p], Digs[d], Settings(sep)));
    end;
  Close(Out_);
end;

{ ---- Format ---- }
type
  TCase = record Fmt, Args: string; end;
const
  { Args: items separated by '|': i:int, l:int64, f:float, s:string, c:char }
  Cases: array[0..78] of TCase = (
    (Fmt: '%d'; Args: 'i:42'), (Fmt: '%5d|'; Args: 'i:42'), (Fmt: '%-5d|'; Args: 'i:42'),
    (Fmt: '%.4d'; Args: 'i:42'), (Fmt: '%.4d'; Args: 'i:-42'), (Fmt: '%6.4d'; Args: 'i:-42'),
    (Fmt: '%d'; Args: 'l:-9223372036854775807'), (Fmt: '%u'; Args: 'i:-1'), (Fmt: '%u'; Args: 'i:7'),
    (Fmt: '%x'; Args: 'i:255'), (Fmt: '%x'; Args: 'i:-1'), (Fmt: '%.4x'; Args: 'i:255'),
    (Fmt: '%x'; Args: 'l:-1'), (Fmt: '%X'; Args: 'i:48879'), (Fmt: '%s'; Args: 's:abc'),
    (Fmt: '%5s|'; Args: 's:abc'), (Fmt: '%-5s|'; Args: 's:abc'), (Fmt: '%.2s'; Args: 's:abcdef'),
    (Fmt: '%s'; Args: 'c:x'), (Fmt: '%f'; Args: 'f:1.5'), (Fmt: '%.2f'; Args: 'f:3.14159'),
    (Fmt: '%.2f'; Args: 'f:-0.005'), (Fmt: '%.0f'; Args: 'f:2.5'), (Fmt: '%.2f'; Args: 'f:2.675'),
    (Fmt: '%8.3f|'; Args: 'f:-1.5'), (Fmt: '%-8.3f|'; Args: 'f:1.5'), (Fmt: '%e'; Args: 'f:1.5'),
    (Fmt: '%.3e'; Args: 'f:12345.678'), (Fmt: '%e'; Args: 'f:0'), (Fmt: '%g'; Args: 'f:1.5'),
    (Fmt: '%g'; Args: 'f:1e20'), (Fmt: '%g'; Args: 'f:0.00001'), (Fmt: '%.3g'; Args: 'f:1234.5'),
    (Fmt: '%n'; Args: 'f:1234567.891'), (Fmt: '%.1n'; Args: 'f:-1234.56'), (Fmt: '%.0n'; Args: 'f:999.5'),
    (Fmt: '%m'; Args: 'f:1234.5'), (Fmt: '%m'; Args: 'f:-1234.5'), (Fmt: '%%'; Args: ''),
    (Fmt: '%0:s-%1:s-%0:s'; Args: 's:a|s:b'), (Fmt: '%1:s %s'; Args: 's:a|s:b|s:c'),
    (Fmt: '%*d|'; Args: 'i:6|i:42'), (Fmt: '%-*d|'; Args: 'i:6|i:42'), (Fmt: '%.*f'; Args: 'i:3|f:2.5'),
    (Fmt: '%d'; Args: 'f:1.5'), (Fmt: '%f'; Args: 'i:1'), (Fmt: '%s'; Args: 'i:1'), (Fmt: '%d'; Args: ''),
    (Fmt: '%d %d'; Args: 'i:1'), (Fmt: '%'; Args: 'i:1'), (Fmt: '%z'; Args: 'i:1'), (Fmt: '%d'; Args: 's:1'),
    (Fmt: 'a%sb'; Args: 's:'), (Fmt: '%s=%d'; Args: 's:x|i:3'), (Fmt: '%3:d'; Args: 'i:1'),
    (Fmt: '%.2f%%'; Args: 'f:99.5'), (Fmt: '%10.4e|'; Args: 'f:-0.000123'), (Fmt: '%5.1f|'; Args: 'f:99.95'),
    (Fmt: '%.15g'; Args: 'f:0.1'), (Fmt: '%.2f'; Args: 'f:1e20'), (Fmt: '%d'; Args: 'i:-2147483648'),
    (Fmt: '%03d'; Args: 'i:7'), (Fmt: 'no args'; Args: ''), (Fmt: '%2:s%1:s%0:s'; Args: 's:a|s:b|s:c'),
    (Fmt: '%*.*f|'; Args: 'i:9|i:3|f:-2.5'), (Fmt: '%-*.*f|'; Args: 'i:9|i:1|f:0.25'), (Fmt: '%.0e'; Args: 'f:12345'),
    (Fmt: '%10.2m|'; Args: 'f:-3.5'), (Fmt: '%5.1n|'; Args: 'f:12345.67'), (Fmt: '%x'; Args: 'l:1099511627775'),
    (Fmt: '%4s|%-4s|'; Args: 's:|s:'), (Fmt: '%.1f'; Args: 'f:0.05'), (Fmt: '%.1f'; Args: 'f:-0.05'),
    (Fmt: '%.3f'; Args: 'f:1.0005'), (Fmt: '%g'; Args: 'f:123456789012345678'), (Fmt: '%.2e'; Args: 'f:-9.995'),
    (Fmt: '%1:d %d %0:d %d'; Args: 'i:1|i:2|i:3'), (Fmt: '%.5d'; Args: 'l:-12'), (Fmt: '%n'; Args: 'f:-0.001'));

var
  Ints: array[0..7] of Int64;
  Exts: array[0..7] of Extended;
  Strs: array[0..7] of AnsiString;

type
  TVarRecs = array of TVarRec;

function BuildArgs(const Spec: string): TVarRecs;
var
  rest, item, kind, val: string;
  n, p: Integer;
begin
  SetLength(Result, 0);
  rest := Spec;
  n := 0;
  while rest <> '' do begin
    p := Pos('|', rest);
    if p = 0 then begin item := rest; rest := ''; end
    else begin item := Copy(rest, 1, p - 1); rest := Copy(rest, p + 1, MaxInt); end;
    kind := Copy(item, 1, 1);
    val := Copy(item, 3, MaxInt);
    SetLength(Result, n + 1);
    if kind = 'i' then begin Result[n].VType := vtInteger; Result[n].VInteger := StrToInt(val); end
    else if kind = 'l' then begin Ints[n] := StrToInt64(val); Result[n].VType := vtInt64; Result[n].VInt64 := @Ints[n]; end
    else if kind = 'f' then begin Exts[n] := ParseValue(val); Result[n].VType := vtExtended; Result[n].VExtended := @Exts[n]; end
    else if kind = 's' then begin Strs[n] := val; Result[n].VType := vtAnsiString; Result[n].VAnsiString := Pointer(Strs[n]); end
    else if kind = 'c' then begin Result[n].VType := vtChar; Result[n].VChar := val[1]; end;
    Inc(n);
  end;
end;

procedure GenFormat;
var
  i: Integer;
  sep, r: string;
begin
  OpenTable('format.tsv');
  for sep in [',', '.'] do
    for i := Low(Cases) to High(Cases) do begin
      try
        r := Format(Cases[i].Fmt, BuildArgs(Cases[i].Args), Settings(sep));
      except
        on EConvertError do r := 'ERR';
      end;
      WriteLn(Out_, sep, #9, Cases[i].Fmt, #9, Cases[i].Args, #9, r);
    end;
  Close(Out_);
end;

{ ---- StrToFloat / StrToInt ---- }
const
  FloatInputs: array[0..33] of string = (
    '1.5', ' 1.5 ', '1,5', '-0.25', '+3', '1e3', '1E-3', '1e', '1e+', 'inf', 'nan', '0x10', '',
    ' ', '.5', '5.', '.', '-', '1.5.2', '1 5', '12abc', '1e400', '-1e-400', '0.1', '1,000.5', '+-1',
    '1e+05', '  -7  ', '3.14159265358979', '1d3', '$10', '1.7976931348623157e308', '00.5', '4.9e-324');
  IntInputs: array[0..23] of string = (
    '42', ' 42 ', '-42', '+42', '2147483647', '2147483648', '-2147483648', '-2147483649', '$FF',
    '0x1F', '', 'abc', '1.0', '1e3', '9223372036854775807', '9223372036854775808', '-9223372036854775808',
    '12 3', '0', '-0', '$', '--1', '007', '$7FFFFFFF');

procedure GenConversions;
var
  i: Integer;
  sep, r: string;
  e: Extended;
  d: Double;
  v: Integer;
  v64: Int64;
begin
  OpenTable('strtofloat.tsv');
  for sep in [',', '.'] do
    for i := Low(FloatInputs) to High(FloatInputs) do begin
      if TryStrToFloat(FloatInputs[i], e, Settings(sep)) then begin
        d := e;
        r := IntToHex(PInt64(@d)^, 16);
      end else
        r := 'ERR';
      WriteLn(Out_, sep, #9, '[', FloatInputs[i], ']', #9, r);
    end;
  Close(Out_);
  OpenTable('strtoint.tsv');
  for i := Low(IntInputs) to High(IntInputs) do begin
    if TryStrToInt(IntInputs[i], v) then r := IntToStr(v) else r := 'ERR';
    Write(Out_, '[', IntInputs[i], ']', #9, r, #9);
    if TryStrToInt64(IntInputs[i], v64) then r := IntToStr(v64) else r := 'ERR';
    WriteLn(Out_, r);
  end;
  Close(Out_);
end;

{ ---- FormatDateTime ---- }
const
  DtPictures: array[0..38] of string = (
    'yyyy-mm-dd hh:nn:ss', 'yyyy-mm-dd hh:mm:ss', 'c', 'd/m/yy', 'dd.mm.yyyy', 'ddd dddd', 'ddddd',
    'dddddd', 'mmm mmmm', 'h:n:s.z', 'hh:nn:ss.zzz', 't', 'tt', 'h:nn am/pm', 'h:nn a/p', 'hh ampm',
    '"quoted" yyyy ''single''', 'yy', 'hh:mm', 'mm:ss', 'AM/PM h', 'd-mmm-yyyy hh:nn', 'yyyy/mm/dd',
    'hh:nn:ss', 'z zz zzz', 'yyyymmddhhnnsszzz', 'h', 'nn:ss',
    { runs longer than the longest specifier of their letter }
    'mmmmm', 'hhh', 'zzzz', 'yyyyy', 'ddddddd', 'nnn:sss', 'ttt', 'cc', 'hh:mmm', 'hhhhm', 'MmMmM hHh ampm');
  { Times on and next to a half millisecond, carries into the next second and day, negative dates. }
  DtValues: array[0..17] of string = (
    '0.5000000057870371', '0.500000005787037', '5.787037037037036e-09', '5.787037037037035e-09',
    '1.736111111111111e-08', '5.78125e-06', '5.781249999999999e-06', '0.9999999999', '0.99999999999999',
    '1.000011568287037', '1.545243142361111', '45000.000000005784', '45000.5000000058', '-0.9999999999',
    '-1.5000000057870371', '-693593.25000000579', '36526.99999999421', '2958465.999999994');
  Stamps: array[0..6] of array[0..6] of Integer = (
    (2024, 2, 29, 13, 5, 9, 7), (1999, 12, 31, 23, 59, 59, 999), (2000, 1, 1, 0, 0, 0, 0),
    (1899, 12, 30, 12, 0, 0, 0), (1850, 6, 15, 6, 30, 0, 0), (2026, 7, 4, 9, 8, 7, 60), (1, 1, 1, 11, 59, 0, 500));

procedure GenDateTime;
var
  p, s: Integer;
  dt: TDateTime;
  d: Double;
begin
  OpenTable('formatdatetime.tsv');
  for p := Low(DtPictures) to High(DtPictures) do
    for s := Low(Stamps) to High(Stamps) do begin
      dt := ComposeDateTime(EncodeDate(Stamps[s][0], Stamps[s][1], Stamps[s][2]),
        EncodeTime(Stamps[s][3], Stamps[s][4], Stamps[s][5], Stamps[s][6]));
      WriteLn(Out_, DtPictures[p], #9, Stamps[s][0], ' ', Stamps[s][1], ' ', Stamps[s][2], ' ',
        Stamps[s][3], ' ', Stamps[s][4], ' ', Stamps[s][5], ' ', Stamps[s][6], #9,
        FormatDateTime(DtPictures[p], dt, Dot));
    end;
  Close(Out_);
  OpenTable('datetimevalues.tsv');
  for p := Low(DtValues) to High(DtValues) do begin
    d := ParseValue(DtValues[p]);
    WriteLn(Out_, DtValues[p], #9, IntToHex(PInt64(@d)^, 16), #9, FormatDateTime('yyyy-mm-dd hh:nn:ss.zzz', d, Dot));
  end;
  Close(Out_);
end;

procedure InitSettings(var fs: TFormatSettings; Sep, Thousands: Char);
const
  SM: array[1..12] of string = ('Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun', 'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec');
  LM: array[1..12] of string = ('January', 'February', 'March', 'April', 'May', 'June', 'July', 'August',
    'September', 'October', 'November', 'December');
  SD: array[1..7] of string = ('Sun', 'Mon', 'Tue', 'Wed', 'Thu', 'Fri', 'Sat');
  LD: array[1..7] of string = ('Sunday', 'Monday', 'Tuesday', 'Wednesday', 'Thursday', 'Friday', 'Saturday');
var
  i: Integer;
begin
  fs := DefaultFormatSettings;
  fs.DecimalSeparator := Sep;
  fs.ThousandSeparator := Thousands;
  fs.CurrencyString := '$';
  fs.CurrencyFormat := 0;
  fs.NegCurrFormat := 0;
  fs.CurrencyDecimals := 2;
  fs.DateSeparator := '/';
  fs.TimeSeparator := ':';
  fs.ShortDateFormat := 'm/d/yyyy';
  fs.LongDateFormat := 'dddd, mmmm d, yyyy';
  fs.ShortTimeFormat := 'h:nn AMPM';
  fs.LongTimeFormat := 'h:nn:ss AMPM';
  fs.TimeAMString := 'AM';
  fs.TimePMString := 'PM';
  for i := 1 to 12 do begin fs.ShortMonthNames[i] := SM[i]; fs.LongMonthNames[i] := LM[i]; end;
  for i := 1 to 7 do begin fs.ShortDayNames[i] := SD[i]; fs.LongDayNames[i] := LD[i]; end;
end;

begin
  InitSettings(Dot, '.', ',');
  InitSettings(Comma, ',', '.');
  GenFormatFloat;
  GenFloatToStr;
  GenFormat;
  GenConversions;
  GenDateTime;
end.
