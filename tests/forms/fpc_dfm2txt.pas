{ Oracle: a binary form file with its resource header to text, by the Free
  Pascal classes unit, in memory as a host program would do it.
  Usage: fpc_dfm2txt IN.dfm OUT.txt }
program fpc_dfm2txt;
{$mode objfpc}{$H+}
uses Classes, SysUtils;
var
  Input, Output: TMemoryStream;
begin
  Input := TMemoryStream.Create;
  Output := TMemoryStream.Create;
  try
    Input.LoadFromFile(ParamStr(1));
    ObjectResourceToText(Input, Output);
    Output.SaveToFile(ParamStr(2));
  finally
    Input.Free;
    Output.Free;
  end;
end.
