{ Converts a component stream between the binary and the text form with Free Pascal's Classes
  unit, to produce reference files for the C++ tests.
  Usage: oracle totext <binary in> <text out>
         oracle tobinary <text in> <binary out> }
program oracle;
{$mode objfpc}{$H+}
uses
  Classes, SysUtils;
var
  Source, Dest: TFileStream;
begin
  if ParamCount <> 3 then
  begin
    WriteLn('usage: oracle totext|tobinary <in> <out>');
    Halt(2);
  end;
  Source := TFileStream.Create(ParamStr(2), fmOpenRead);
  Dest := TFileStream.Create(ParamStr(3), fmCreate);
  try
    if ParamStr(1) = 'totext' then
      ObjectBinaryToText(Source, Dest)
    else
      ObjectTextToBinary(Source, Dest);
  finally
    Dest.Free;
    Source.Free;
  end;
end.
