object Form1: TForm1
  Left = 192
  Caption = 'Helo wrold'
  Hint = 'It''s helo'
  Color = $00FF00
  Font.Height = -11
  Scale = 1.5
  Lines.Strings = (
    'First line, wrold'#13#10'second'
    'Third')
  inherited Button1: TButton
    OnClick = Button1Click
  end
  INLINE Frame1: TFrame1
  End
  objects = [akLeft, akTop]
end
