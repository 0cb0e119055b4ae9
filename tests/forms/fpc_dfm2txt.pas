{ Oracle: a binary form file with its resource header to text, by the Free
  Pascal classes unit. Usage: fpc_dfm2txt IN.dfm OUT.txt }
program fpc_dfm2txt;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  Input, Output: TFileStream;
begin
  Input := TFileStream.Create(ParamStr(1), fmOpenRead);
  Output := TFileStream.Create(ParamStr(2), fmCreate);
  try
    ObjectResourceToText(Input, Output);
  finally
    Input.Free;
    Output.Free;
  end;
end.
