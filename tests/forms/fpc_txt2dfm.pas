{ Oracle: a text form file to a binary form file with its resource header,
  by the Free Pascal classes unit. Usage: fpc_txt2dfm IN.txt OUT.dfm }
program fpc_txt2dfm;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  Input, Output: TFileStream;
begin
  Input := TFileStream.Create(ParamStr(1), fmOpenRead);
  Output := TFileStream.Create(ParamStr(2), fmCreate);
  try
    ObjectTextToResource(Input, Output);
  finally
    Input.Free;
    Output.Free;
  end;
end.
