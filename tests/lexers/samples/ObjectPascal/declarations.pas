type
  TFoo = class
  private
    FName: string;
  public
    property Name: string read FName write FName default 'Helo';
    property Count: Integer index 3 read GetCount { helo } write SetCount;
    procedure Read; virtual;
  end;
exports
  Foo name 'Wrold', Bar index 2 resident;
var read, write, name: Integer;
const X = $FF + 1.5e+3 + 2E-4 + 10 + 1..5; P = @@X;
if (a <> b) and (c <= d) or (e >= f) then g := h^ div 2;
